#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include "comm/DocumentKiezen.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kDocumentFilter = QStringLiteral(
    "Exel Bestanden (*.xls)|*.xls|Word Bestanden (*.doc)|*.doc|Text Bestanden (*.txt)|*.txt|"
    "Autocad Bestanden (*.dwg)|*.dwg|Alle Bestanden (*.*)|*.*||");

const QStringList kWavFiles{QStringLiteral("BEL.WAV"), QStringLiteral("Tik.Wav"),
                            QStringLiteral("alarm.wav")};
const QStringList kAllFiles{QStringLiteral("README"), QStringLiteral("begroting.XLS"),
                            QStringLiteral("brief.doc")};

void Touch(const QString& path) {
    QFile(path).open(QIODevice::WriteOnly);
}

// The names the picker offers in its folder view; the folder is read and filtered in the
// background, so this waits until the expected names show or the time is up.
QStringList Offered(QFileDialog* picker, const QString& folder, const QStringList& expected) {
    auto* model = picker->findChild<QFileSystemModel*>();
    QStringList names;
    const auto read = [&] {
        const QModelIndex parent = model->index(folder);
        names.clear();
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            if (model->flags(index) & Qt::ItemIsEnabled) {
                names << index.data().toString();
            }
        }
        names.sort();
        return names == expected;
    };
    (void)QTest::qWaitFor(read, 5000);
    return names;
}

} // namespace

// The shared file picker: the filter form, letter case, cancel and the path limit.
class DocumentKiezenTest : public QObject {
    Q_OBJECT
private slots:
    void showsDescriptionsAndMatchesAnyCase() {
        QTemporaryDir folder;
        for (const char* name : {"alarm.wav", "BEL.WAV", "Tik.Wav", "brief.txt"}) {
            Touch(folder.filePath(QString::fromLatin1(name)));
        }
        ModalDriver driver;
        QStringList entries;
        QStringList offered;
        QString nameBox = QStringLiteral("?");
        driver.Queue([&](QWidget* modal) {
            auto* picker = qobject_cast<QFileDialog*>(modal);
            auto* combo = picker->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; i < combo->count(); ++i) {
                entries << combo->itemText(i);
            }
            nameBox = picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            offered = Offered(picker, folder.path(), kWavFiles);
            picker->reject();
        });
        QString path = QStringLiteral("C:\\oud.wav");
        QVERIFY(
            !DocumentKiezen(folder.path(), QStringLiteral("Wav Bestanden (*.wav)|*.Wav||"), path));
        QCOMPARE(path, QStringLiteral("C:\\oud.wav"));
        QCOMPARE(entries, QStringList{QStringLiteral("Wav Bestanden (*.wav)")});
        QCOMPARE(nameBox, QString());
        QCOMPARE(offered, kWavFiles);
    }

    void documentFilterOffersEveryKind() {
        QTemporaryDir folder;
        for (const char* name : {"begroting.XLS", "README", "brief.doc"}) {
            Touch(folder.filePath(QString::fromLatin1(name)));
        }
        ModalDriver driver;
        QStringList entries;
        QStringList all;
        driver.Queue([&](QWidget* modal) {
            auto* picker = qobject_cast<QFileDialog*>(modal);
            entries = picker->nameFilters();
            picker->selectNameFilter(entries.last());
            all = Offered(picker, folder.path(), kAllFiles);
            picker->reject();
        });
        QString path;
        QVERIFY(!DocumentKiezen(folder.path(), kDocumentFilter, path));
        QCOMPARE(entries.size(), 5);
        // "*.*" means every file, also one without an extension.
        QCOMPARE(all, kAllFiles);
    }

    void refusesPathLongerThanItsBuffer() {
        QTemporaryDir root;
        QString folder = root.path();
        while (folder.size() <= kDocumentKiezenMaxPath) {
            folder += QLatin1Char('/') + QString(200, QLatin1Char('m'));
        }
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/x.txt");
        Touch(file);
        MessageBoxLog().clear();
        ModalDriver driver;
        driver.Queue([&](QWidget* modal) {
            auto* picker = qobject_cast<QFileDialog*>(modal);
            picker->selectFile(file);
            static_cast<QDialog*>(picker)->accept();
        });
        driver.Queue(Answer(IDOK));
        QString path = QStringLiteral("oud.txt");
        QVERIFY(!DocumentKiezen(folder, kDocumentFilter, path));
        QCOMPARE(path, QStringLiteral("oud.txt"));
        QCOMPARE(MessageBoxLog().size(), size_t(1));
        QCOMPARE(MessageBoxLog().front().caption, QStringLiteral("Let Op"));
    }
};

TOLVAR_TEST(DocumentKiezenTest);

#include "tst_DocumentKiezen.moc"
