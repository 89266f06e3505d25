#include "exchange/JetBestand.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

QString RealData(const QString& name) {
    return QStringLiteral(TOLVAR_TEST_DATA_DIR "/jet/real/") + name;
}

// A value as the reader gives it and as the expect file has it, in one form; columns the
// reader leaves out (floating point, binary) are not compared.
QString Shown(const QVariant& value, CJetBestand::Soort soort) {
    if (!value.isValid()) {
        return soort == CJetBestand::Anders ? QString() : QStringLiteral("null");
    }
    if (soort == CJetBestand::JaNee) {
        return value.toLongLong() ? "true" : "false";
    }
    return soort == CJetBestand::Datum ? QString::number(value.toDouble(), 'g', 17)
                                       : value.toString();
}

QString Wanted(const QJsonValue& value) {
    if (value.isNull() || value.isBool()) {
        return value.isNull() ? "null" : value.toBool() ? "true" : "false";
    }
    if (value.isObject()) {
        return QString::number(value["ole"].toDouble(), 'g', 17);
    }
    return value.isDouble() ? QString::number(value.toInteger()) : value.toString();
}

} // namespace

// The reader on files written by Access itself, down to the oldest format: text in the
// file's code page (every byte of it), memos, yes/no, nulls and dates before 1900.
class TestJetBestand : public QObject {
    Q_OBJECT

private slots:
    void readsFilesWrittenByAccessExactly_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("version");
        QTest::newRow("Jet 3 project") << "test2V1997"
                                       << "Jet 3";
        QTest::newRow("Jet 3 code page") << "testIndexCodesV1997"
                                         << "Jet 3";
        QTest::newRow("ACE old dates") << "oldDatesV2007"
                                       << "ACE";
    }
    void readsFilesWrittenByAccessExactly() {
        QFETCH(QString, name);
        QFETCH(QString, version);
        QFile file(RealData(name + ".expect.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject tables = QJsonDocument::fromJson(file.readAll())["tables"].toObject();
        const CJetBestand jet(RealData(name + (name.endsWith("2007") ? ".accdb" : ".mdb")));
        QVERIFY(jet.Versie().contains(version));
        for (auto it = tables.begin(); it != tables.end(); ++it) {
            const QJsonObject expect = it.value().toObject();
            const auto kolommen = jet.Kolommen(it.key());
            const QString key = kolommen.front().naam;
            QHash<QString, QJsonObject> wanted;
            for (const QJsonValue row : expect["rows"].toArray()) {
                wanted.insert(Wanted(row[key]), row.toObject());
            }
            int rows = 0;
            jet.Lees(it.key(), [&](const CJetBestand::Rij& rij) {
                ++rows;
                const QJsonObject row = wanted.value(Shown(rij[0], kolommen[0].soort));
                for (size_t i = 0; i < kolommen.size(); ++i) {
                    const QString shown = Shown(rij[i], kolommen[i].soort);
                    if (!shown.isEmpty() || kolommen[i].soort != CJetBestand::Anders) {
                        QCOMPARE(kolommen[i].naam + "=" + shown,
                                 kolommen[i].naam + "=" + Wanted(row[kolommen[i].naam]));
                    }
                }
            });
            QCOMPARE(rows, expect["row_count"].toInt());
        }
    }
};

TOLVAR_TEST(TestJetBestand);
#include "tst_JetBestand.moc"
