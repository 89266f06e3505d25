// Keeps a folder library valid while the folder holds no source yet.
