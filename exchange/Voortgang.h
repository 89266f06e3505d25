#pragma once

#include <functional>

// Told how far a long run has come (done out of total); answering false stops the run,
// which then leaves everything as it was.
using Voortgang = std::function<bool(int gedaan, int totaal)>;
