// Time from process start to the main window shown with tab 0 filled, on a demo database
// of 1,000 relations, and on one of 10,000 relations with and without the first start of
// the day's copy of the data files. Each run is a fresh process (this program started
// again with --child), so that loading the libraries counts as it does for a user.
#include "app/MainFrame.h"
#include "app/StandardViews.h"
#include "app/TolvarApp.h"
#include "platform/ui/GuardedApplication.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <unistd.h>
#include <vector>

namespace {

// Milliseconds since this process was started, from the kernel's own record of it.
double MillisecondsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

int RunChild(int argc, char** argv) {
    CGuardedApplication application(argc, argv);
    CTolvarApp tolvar(StandardViews());
    if (!tolvar.InitInstance({QStringLiteral("tolvar"), QStringLiteral("/nologo")})) {
        return 1;
    }
    QElapsedTimer waited;
    waited.start();
    const CMainFrame* frame = tolvar.GetMainWnd();
    while (!(frame->windowHandle() && frame->windowHandle()->isExposed())) {
        if (waited.elapsed() > 30000) {
            return 1;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    std::printf("%.1f\n", MillisecondsSinceProcessStart());
    return 0;
}

bool MakeDemo(int relations, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return QProcess::execute(QStringLiteral(TOLVAR_NEWDB),
                             {QStringLiteral("--demo"), QString::number(relations), path}) == 0;
}

// The median start-up time of five runs on the database in work; beforeEach runs before
// every start.
double MedianStartup(const char* self, const QString& home, const QString& work,
                     const std::function<void()>& beforeEach = nullptr) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        if (beforeEach) {
            beforeEach();
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(work);
        child.start(QFileInfo(QString::fromLocal8Bit(self)).absoluteFilePath(),
                    {QStringLiteral("--child")});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            return -1;
        }
        times.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]) == "--child") {
        return RunChild(argc, argv);
    }
    QTemporaryDir home;
    const QString data = home.filePath(QStringLiteral("data"));
    const QString appointments =
        data + QStringLiteral("/tolvar/drive_c/Mijn documenten/Projects/tolvdata.mdb");
    const QString small = home.filePath(QStringLiteral("work1000"));
    const QString large = home.filePath(QStringLiteral("work10000"));
    if (!MakeDemo(1000, small + QStringLiteral("/Tolvar.Doc")) || !MakeDemo(1, appointments) ||
        !MakeDemo(10000, large + QStringLiteral("/Tolvar.Doc"))) {
        std::fprintf(stderr, "tolvar-newdb failed\n");
        return 1;
    }
    const QString copies = data + QStringLiteral("/tolvar/reservekopie");
    const double startup1000 = MedianStartup(argv[0], home.path(), small);
    // Today's copies exist after the first of these starts: the later ones copy nothing.
    const double startup10000 = MedianStartup(argv[0], home.path(), large);
    const double backup10000 =
        MedianStartup(argv[0], home.path(), large, [&] { QDir(copies).removeRecursively(); });
    if (startup1000 < 0 || startup10000 < 0 || backup10000 < 0) {
        std::fprintf(stderr, "start-up run failed\n");
        return 1;
    }
    std::printf("startup_1000: %.0f ms\n", startup1000);
    std::printf("startup_10000: %.0f ms\n", startup10000);
    std::printf("startup_backup_10000: %.0f ms\n", backup10000);
    std::printf("backup_added_10000: %.0f ms\n", backup10000 - startup10000);
    return 0;
}
