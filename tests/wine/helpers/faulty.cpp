// A program built on the launcher's platform whose sequence faults, so that the tests can
// see the error box and the exit code that follow.
#include "platform/Application.h"

namespace {

int Fault(platform::Platform&) {
    *static_cast<int volatile*>(nullptr) = 1;
    return 0;
}

}  // namespace

int main() { platform::RunApplication(Fault); }
