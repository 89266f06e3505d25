#include "NewDbRun.h"
#include "platform/profile/Profile.h"
#include "store/ReserveKopieen.h"
#include "support/TestRegistry.h"

#include <csignal>
#include <cstdio>
#include <functional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Far less than any of the files below needs, far more than the old files hold.
constexpr rlim_t kLimiet = 64;
const QByteArray kOud = "oude inhoud die blijft\n";

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Zet(const QString& path, const QByteArray& inhoud) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(inhoud);
}

struct Uitkomst {
    int exitCode;
    QString tekst;
};

// Runs schrijf in a child process under a file-size limit, the way a full disk stops a
// write half-way: the system refuses every byte past the limit with EFBIG. Answers the
// child's exit code and all it printed.
Uitkomst OnderLimiet(const std::function<int()>& schrijf) {
    int pijp[2];
    if (::pipe(pijp) != 0) {
        return {-1, QStringLiteral("geen pijp")};
    }
    const pid_t kind = ::fork();
    if (kind == 0) {
        ::close(pijp[0]);
        ::dup2(pijp[1], STDOUT_FILENO);
        ::dup2(pijp[1], STDERR_FILENO);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limiet{kLimiet, kLimiet};
        ::setrlimit(RLIMIT_FSIZE, &limiet);
        ::_exit(schrijf());
    }
    ::close(pijp[1]);
    QByteArray uit;
    char blok[4096];
    ssize_t n;
    while ((n = ::read(pijp[0], blok, sizeof blok)) > 0) {
        uit.append(blok, n);
    }
    ::close(pijp[0]);
    int status = 0;
    ::waitpid(kind, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, QString::fromUtf8(uit)};
}

int Programma(const char* programma, const QStringList& args) {
    std::vector<QByteArray> delen{programma};
    for (const QString& arg : args) {
        delen.push_back(arg.toUtf8());
    }
    std::vector<char*> argv;
    for (QByteArray& deel : delen) {
        argv.push_back(deel.data());
    }
    argv.push_back(nullptr);
    ::execv(programma, argv.data());
    return 127;
}

} // namespace

// Every file Tolvar writes, written under a file-size limit: the write fails, says why in
// Dutch, never claims success, and leaves the old file byte for byte as it was.
class SchijfVolTest : public QObject {
    Q_OBJECT

private slots:
    void mislukteSchrijfLaatOudBestandStaan() {
        QTemporaryDir map;
        const QString db = map.filePath("Tolvar.Doc");
        const QString afspraken = map.filePath("Afspraken.Doc");
        QCOMPARE(RunNewDb({"--demo", "5", "--afspraken", afspraken, db}).exitCode, 0);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(map.filePath("config")));
        QDir().mkpath(map.filePath("config/Merivon"));
        const QString instellingen = CProfile::FileName();
        const QString beschadigd = map.filePath("Kapot.Doc");
        Zet(beschadigd, QByteArray(1000, 'x'));
        CReserveKopieen kopieen(map.filePath("kopieen"));

        struct Geval {
            const char* naam;
            QString doel;
            std::function<int()> schrijf;
        };
        const std::vector<Geval> gevallen{
            {"csv", map.filePath("r.csv"),
             [&] {
                 return Programma(TOLVAR_EXCHANGE,
                                  {"export-csv", db, "relaties", map.filePath("r.csv")});
             }},
            {"ical", map.filePath("a.ics"),
             [&] {
                 return Programma(TOLVAR_EXCHANGE,
                                  {"export-ical", afspraken, map.filePath("a.ics")});
             }},
            {"vcard", map.filePath("k.vcf"),
             [&] {
                 return Programma(TOLVAR_EXCHANGE, {"export-vcard", db, map.filePath("k.vcf")});
             }},
            {"instellingen", instellingen,
             [&] {
                 if (CProfile::WriteProfileString("Bellen", "Voorloop", QString(200, 'w'))) {
                     return 0;
                 }
                 fprintf(stderr, "%s\n", qPrintable(CProfile::LastWriteError()));
                 return 1;
             }},
            {"reservekopie", kopieen.Map() + "/.leeg",
             [&] {
                 try {
                     kopieen.BewaarBeschadigd(beschadigd);
                     return 0;
                 } catch (const std::exception& e) {
                     fprintf(stderr, "%s\n", e.what());
                     return 1;
                 }
             }},
        };
        QVERIFY(QDir().mkpath(kopieen.Map()));
        for (const Geval& geval : gevallen) {
            Zet(geval.doel, kOud);
            const QStringList voor =
                QDir(QFileInfo(geval.doel).path())
                    .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
            const Uitkomst uitkomst = OnderLimiet(geval.schrijf);
            QVERIFY2(uitkomst.exitCode == 1, geval.naam);
            QVERIFY2(uitkomst.tekst.contains("groter dan het systeem toestaat"),
                     qPrintable(QString(geval.naam) + ": " + uitkomst.tekst));
            QVERIFY2(!uitkomst.tekst.contains("geschreven naar"), geval.naam);
            QCOMPARE(Bytes(geval.doel), kOud);
            // No half-written file is left beside the old one.
            QCOMPARE(QDir(QFileInfo(geval.doel).path())
                         .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                     voor);
        }
    }
};

TOLVAR_TEST(SchijfVolTest);
#include "tst_SchijfVol.moc"
