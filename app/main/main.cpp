#include "app/StandardViews.h"
#include "app/TolvarApp.h"
#include "platform/ui/GuardedApplication.h"
#include "platform/ui/QuitOnSignal.h"

int main(int argc, char** argv) {
    CGuardedApplication application(argc, argv);
    QuitEventLoopOnSignals();
    CTolvarApp tolvar(StandardViews());
    if (!tolvar.InitInstance(application.arguments())) {
        return 1;
    }
    return application.exec();
}
