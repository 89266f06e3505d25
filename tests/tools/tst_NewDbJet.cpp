#include "fixture/PgServer.h"
#include "NewDbRun.h"
#include "platform/dao/DaoEngine.h"
#include "support/TestRegistry.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString JetData(const QString& name) {
    return QStringLiteral(TOLVAR_TEST_DATA_DIR "/jet/") + name;
}

QJsonObject Expect(const QString& name) {
    QFile file(JetData(name + ".expect.json"));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

QByteArray Hash(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

// A date of the expect file as the database keeps it: to the second, half a second and more
// counting as the next one.
QString StoredDate(const QJsonObject& date) {
    const QStringList parts = date["iso"].toString().split('T');
    QDateTime dt(QDate::fromString(parts[0], Qt::ISODate),
                 QTime::fromString(parts[1], Qt::ISODateWithMs), Qt::UTC);
    const int ms = dt.time().msec();
    dt = dt.addMSecs(ms >= 500 ? 1000 - ms : -ms);
    return dt.toString("yyyy-MM-dd HH:mm:ss");
}

// One value read back, and the expect file's value, in one form: null, a number, true or
// false, text, a stored date, or length and hash of a long text.
QString Actual(CDaoStatement& row, int col, const QJsonValue& expected) {
    if (row.IsNull(col)) {
        return "null";
    }
    if (expected.isBool()) {
        return row.Int64(col) ? "true" : "false";
    }
    if (expected.isDouble()) {
        return QString::number(row.Int64(col));
    }
    const QString text = row.Text(col);
    if (!expected["sha256"].isString()) {
        return text;
    }
    const auto hash = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256);
    return QString("%1 %2").arg(text.size()).arg(QString::fromLatin1(hash.toHex()));
}

QString Wanted(const QJsonValue& expected, bool server) {
    if (expected.isNull() || expected.isBool()) {
        return expected.isNull() ? "null" : expected.toBool() ? "true" : "false";
    }
    if (expected.isDouble()) {
        return QString::number(expected.toInteger());
    }
    if (expected["iso"].isString()) {
        return StoredDate(expected.toObject());
    }
    if (expected["sha256"].isString()) {
        return QString("%1 %2").arg(expected["length"].toInt()).arg(expected["sha256"].toString());
    }
    // A server cannot keep a NUL character; the conversion leaves only that out.
    return server ? expected.toString().remove(QChar(0)) : expected.toString();
}

// Row count, every exact row (by its own key), and that the next new row gets the number after the
// Jet file's last counter.
void CompareTable(CDaoEngine& engine, const QString& table, const QJsonObject& expect) {
    const bool server = engine.IsServer();
    const QString key = expect["primary_key"].toArray().first().toString();
    auto count = engine.Prepare(QString("SELECT count(*) FROM [%1]").arg(table));
    QVERIFY(count->Step());
    QCOMPARE(count->Int64(0), expect["row_count"].toInteger());

    for (const QJsonValue r : expect["rows"].toArray()) {
        const QJsonObject row = r.toObject();
        QStringList columns;
        for (auto it = row.begin(); it != row.end(); ++it) {
            if (!it.key().startsWith('_')) {
                columns << it.key();
            }
        }
        QStringList select;
        for (const QString& column : columns) {
            select << (row[column]["iso"].isString() ? engine.DateAsText("[" + column + "]")
                                                     : "[" + column + "]");
        }
        auto query = engine.Prepare(
            QString("SELECT %1 FROM [%2] WHERE [%3] = ?").arg(select.join(", "), table, key));
        query->BindInt64(1, row[key].toInteger());
        QVERIFY2(query->Step(), qPrintable(QString("%1 %2").arg(table).arg(row[key].toInteger())));
        for (int i = 0; i < columns.size(); ++i) {
            const QString label = table + "." + columns[i] + " " + row["_why"].toString() + ": ";
            QCOMPARE(label + Actual(*query, i, row[columns[i]]),
                     label + Wanted(row[columns[i]], server));
        }
    }

    auto insert = engine.Prepare(QString("INSERT INTO [%1] DEFAULT VALUES").arg(table));
    insert->Step();
    QCOMPARE(engine.LastKey(), expect["autonumber_last"].toInteger() + 1);
}

} // namespace

// tolvar-newdb --van-jet: the Windows version's files of every format come over exactly,
// into a file and onto a server; what cannot be taken over is refused with nothing written.
class TestNewDbJet : public QObject {
    Q_OBJECT

private slots:
    void convertsEveryFileKindExactly_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("server");
        for (const char* name : {"tolvar-v2000", "tolvar-v2003", "tolvar-v2007", "tolvdata-v2000",
                                 "tolvdata-v2003", "tolvdata-v2007"}) {
            QTest::newRow(name) << QString(name) << false;
        }
        QTest::newRow("tolvar-v2000 server") << QString("tolvar-v2000") << true;
    }
    void convertsEveryFileKindExactly() {
        QFETCH(QString, name);
        QFETCH(bool, server);
        const QString jet = JetData(name + (name.endsWith("2007") ? ".accdb" : ".mdb"));
        const QByteArray before = Hash(jet);
        QTemporaryDir dir;
        QString target = dir.filePath("nieuw.doc");
        if (server) {
            PgServer& pg = PgServer::Shared();
            QVERIFY2(pg.Error().isEmpty(), qPrintable(pg.Error()));
            target = pg.NewDatabase();
        }
        const NewDbRun run = RunNewDb({"--van-jet", jet, target});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(Hash(jet), before);

        const QJsonObject expect = Expect(name);
        const QJsonObject tables = expect["tables"].toObject();
        const auto engine = CDaoEngine::Connect(target);
        for (auto it = tables.begin(); it != tables.end(); ++it) {
            CompareTable(*engine, it.key(), it.value().toObject());
            if (QTest::currentTestFailed()) {
                return;
            }
            QVERIFY2(run.out.contains(QString("%1: %2 rijen overgenomen")
                                          .arg(it.key())
                                          .arg(it.value().toObject()["row_count"].toInt())),
                     qPrintable(run.out));
        }
        if (name.startsWith("tolvar-")) {
            // The orphans of the test file: two persons and a memo of the deleted relation 9.
            QVERIFY2(run.out.contains("Personen: 87 rijen overgenomen, waarvan 2 zonder "
                                      "bestaande ouder in Relaties"),
                     qPrintable(run.out));
        }
    }

    void refusesWithNothingWritten_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("cut short") << "kort"
                                   << "beschadigd";
        QTest::newRow("not jet") << "tekst"
                                 << "geen database van de Windows-versie";
        QTest::newRow("appointments to a server") << "server"
                                                  << "afsprakenbestand";
    }
    void refusesWithNothingWritten() {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString jet = dir.filePath("Tolvar.Doc");
        QString target = dir.filePath("nieuw.doc");
        QFile source(JetData(fault == "server" ? "tolvdata-v2000.mdb" : "tolvar-v2000.mdb"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QByteArray bytes = source.readAll();
        if (fault == "kort") {
            bytes.truncate(bytes.size() / 2);
        } else if (fault == "tekst") {
            bytes = "Naam;Plaats\nBakker;Gouda\n";
        }
        QFile copy(jet);
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(bytes);
        copy.close();
        if (fault == "server") {
            PgServer& pg = PgServer::Shared();
            QVERIFY2(pg.Error().isEmpty(), qPrintable(pg.Error()));
            target = pg.NewDatabase();
        }

        const NewDbRun run = RunNewDb({"--van-jet", jet, target});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message) && run.err.contains(jet), qPrintable(run.err));
        if (fault == "server") {
            QVERIFY(!CDaoEngine::Connect(target)->HasTable("Relaties"));
        } else {
            QVERIFY(!QFile::exists(target));
        }
    }
};

TOLVAR_TEST(TestNewDbJet);
#include "tst_NewDbJet.moc"
