// Time from process start to the main window shown with tab 0 filled, on demo databases of
// 1,000, 10,000 and 100,000 relations, with and without the first start of the day's check
// and copy of the data files, and the resident memory of the process at that moment. Each
// run is a fresh process (this program started again with --child), so that loading the
// libraries counts as it does for a user.
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

long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
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
    const double ms = MillisecondsSinceProcessStart();
    std::printf("%.1f %ld\n", ms, ResidentKb());
    return 0;
}

bool MakeDemo(int relations, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return QProcess::execute(QStringLiteral(TOLVAR_NEWDB),
                             {QStringLiteral("--demo"), QString::number(relations), path}) == 0;
}

struct Start {
    double ms = -1;
    double rssMb = -1;
};

// The median start-up time (and memory) of the runs on the database in work; beforeEach
// runs before every start.
Start MedianStartup(const char* self, const QString& home, const QString& work,
                    const std::function<void()>& beforeEach = nullptr, int runs = 5) {
    std::vector<double> times;
    std::vector<double> rss;
    for (int run = 0; run < runs; ++run) {
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
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            return {};
        }
        const QList<QByteArray> out = child.readAllStandardOutput().trimmed().split(' ');
        times.push_back(out.value(0).toDouble());
        rss.push_back(out.value(1).toDouble() / 1024);
    }
    std::sort(times.begin(), times.end());
    std::sort(rss.begin(), rss.end());
    return {times[times.size() / 2], rss[rss.size() / 2]};
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
    const QString huge = home.filePath(QStringLiteral("work100000"));
    if (!MakeDemo(1000, small + QStringLiteral("/Tolvar.Doc")) || !MakeDemo(1, appointments) ||
        !MakeDemo(10000, large + QStringLiteral("/Tolvar.Doc")) ||
        !MakeDemo(100000, huge + QStringLiteral("/Tolvar.Doc"))) {
        std::fprintf(stderr, "tolvar-newdb failed\n");
        return 1;
    }
    const QString copies = data + QStringLiteral("/tolvar/reservekopie");
    const auto firstOfDay = [&] { QDir(copies).removeRecursively(); };
    const Start startup1000 = MedianStartup(argv[0], home.path(), small);
    // Today's copies exist after the first of these starts: the later ones copy nothing.
    const Start startup10000 = MedianStartup(argv[0], home.path(), large);
    const Start backup10000 = MedianStartup(argv[0], home.path(), large, firstOfDay);
    const Start startup100000 = MedianStartup(argv[0], home.path(), huge, firstOfDay, 3);
    const Start later100000 = MedianStartup(argv[0], home.path(), huge, nullptr, 3);
    if (startup1000.ms < 0 || startup10000.ms < 0 || backup10000.ms < 0 || startup100000.ms < 0 ||
        later100000.ms < 0) {
        std::fprintf(stderr, "start-up run failed\n");
        return 1;
    }
    std::printf("startup_1000: %.0f ms\n", startup1000.ms);
    std::printf("startup_10000: %.0f ms\n", startup10000.ms);
    std::printf("startup_backup_10000: %.0f ms\n", backup10000.ms);
    std::printf("backup_added_10000: %.0f ms\n", backup10000.ms - startup10000.ms);
    std::printf("rss_10000: %.0f MB\n", startup10000.rssMb);
    std::printf("startup_100000: %.0f ms\n", startup100000.ms);
    std::printf("startup_later_100000: %.0f ms\n", later100000.ms);
    std::printf("rss_100000: %.0f MB\n", startup100000.rssMb);
    return 0;
}
