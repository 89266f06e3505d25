#include "TestRegistry.h"

#include <cstdio>
#include <cstring>
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

std::vector<TestRegistration>& RegisteredTests() {
    static std::vector<TestRegistration> tests;
    return tests;
}

namespace {

// Every test program runs with a home and desktop folders of its own, so that no test ever
// reads or writes the user's settings or data.
void UsePrivateHome(const QString& root) {
    const QStringList folders = {"home", "data", "config", "cache", "runtime"};
    for (const QString& f : folders) {
        QDir(root).mkpath(f);
    }
    QFile::setPermissions(root + "/runtime",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", (root + "/home").toUtf8());
    qputenv("XDG_DATA_HOME", (root + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + "/config").toUtf8());
    qputenv("XDG_CACHE_HOME", (root + "/cache").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root + "/runtime").toUtf8());
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir root;
    UsePrivateHome(root.path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));

    QString only;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--class") == 0 && i + 1 < argc) {
            only = QString::fromUtf8(argv[++i]);
            continue;
        }
        if (std::strcmp(argv[i], "--engine") == 0 && i + 1 < argc) {
            qputenv("TOLVAR_TEST_ENGINE", argv[++i]);
            continue;
        }
        args.push_back(argv[i]);
    }
    int qtArgc = int(args.size());
    QApplication app(qtArgc, args.data());
    app.setApplicationName("Tolvar");
    app.setOrganizationName("Merivon");

    int failures = 0;
    bool found = false;
    for (const auto& test : RegisteredTests()) {
        if (!only.isEmpty() && only != QLatin1String(test.name)) {
            continue;
        }
        found = true;
        auto object = test.create();
        failures += QTest::qExec(object.get(), qtArgc, args.data());
    }
    if (!found) {
        std::fprintf(stderr, "no test class named %s\n", qPrintable(only));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
