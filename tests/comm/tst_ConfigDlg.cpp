#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include "comm/ConfigDlg.h"
#include "platform/profile/Profile.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/MessageBox.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QSettings Store() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Merivon"),
                     QStringLiteral("Tolvar"));
}

struct Stored {
    int port;
    QString prefix;
    QString sound;
    bool operator==(const Stored&) const = default;
};

Stored Read() {
    return {CProfile::GetProfileInt(QStringLiteral("Bellen"), QStringLiteral("Compoort"), 1),
            CProfile::GetProfileString(QStringLiteral("Bellen"), QStringLiteral("Voorloop")),
            CProfile::GetProfileString(QStringLiteral("Geluiden"), QStringLiteral("Kalender"))};
}

void Write(const Stored& values) {
    CProfile::WriteProfileInt(QStringLiteral("Bellen"), QStringLiteral("Compoort"), values.port);
    CProfile::WriteProfileString(QStringLiteral("Bellen"), QStringLiteral("Voorloop"),
                                 values.prefix);
    CProfile::WriteProfileString(QStringLiteral("Geluiden"), QStringLiteral("Kalender"),
                                 values.sound);
}

void Fill(QWidget* dialog, const QString& port, const QString& prefix, const QString& sound) {
    SetControlText(dialog, CConfigDlg::IDC_COMPOORT, port);
    SetControlText(dialog, CConfigDlg::IDC_VOORLOOP, prefix);
    SetControlText(dialog, CConfigDlg::IDC_GELUID, sound);
}

// Presses "..." after the action that does so has returned, so the picker is a modal of its
// own for the driver.
void PressChooseLater(QWidget* dialog) {
    auto* button =
        qobject_cast<QAbstractButton*>(GetDlgItem(dialog, CConfigDlg::IDC_GELUID_KIEZEN));
    QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

} // namespace

// "Congiguratie" driven for real.
class ConfigDlgTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Store().clear();
        MessageBoxLog().clear();
    }

    void firstStartShowsDefaults() {
        ModalDriver driver;
        QStringList shown;
        driver.Queue([&](QWidget* dialog) {
            shown << dialog->windowTitle() << ControlText(dialog, CConfigDlg::IDC_COMPOORT)
                  << ControlText(dialog, CConfigDlg::IDC_VOORLOOP)
                  << ControlText(dialog, CConfigDlg::IDC_GELUID);
            ClickButton(dialog, IDCANCEL);
        });
        CConfigDlg::Run(nullptr);
        QCOMPARE(shown, (QStringList{QStringLiteral("Congiguratie"), QStringLiteral("1"), QString(),
                                     QString()}));
        QVERIFY(Store().allKeys().isEmpty());
    }

    void okWritesAllThree() {
        Write({2, QStringLiteral("9"), QStringLiteral("/oud.wav")});
        ModalDriver driver;
        driver.Queue([](QWidget* dialog) {
            Fill(dialog, QStringLiteral(" 4 "), QStringLiteral("0,"), QString());
            ClickButton(dialog, IDOK);
        });
        CConfigDlg::Run(nullptr);
        QCOMPARE(Read(), (Stored{4, QStringLiteral("0,"), QString()}));
        QCOMPARE(driver.Unexpected(), 0);
    }

    void lettersInPortKeepDialogOpenAndWriteNothing() {
        const Stored before{2, QStringLiteral("9"), QStringLiteral("/oud.wav")};
        Write(before);
        ModalDriver driver;
        QString message;
        bool stillOpen = false;
        bool focusOnPort = false;
        driver.Queue([](QWidget* dialog) {
            Fill(dialog, QStringLiteral("COM3"), QStringLiteral("0,"),
                 QStringLiteral("/nieuw.wav"));
            QMetaObject::invokeMethod(qobject_cast<QAbstractButton*>(GetDlgItem(dialog, IDOK)),
                                      &QAbstractButton::click, Qt::QueuedConnection);
        });
        driver.Queue([&](QWidget* box) {
            message = MessageBoxLog().empty() ? QString() : LastBox().text;
            AnswerMessageBox(box, IDOK);
        });
        driver.Queue([&](QWidget* dialog) {
            stillOpen = dialog->isVisible() && qobject_cast<CConfigDlg*>(dialog);
            focusOnPort = dialog->focusWidget() == GetDlgItem(dialog, CConfigDlg::IDC_COMPOORT);
            ClickButton(dialog, IDCANCEL);
        });
        CConfigDlg::Run(nullptr);
        QCOMPARE(message, ParseIntMessage());
        QVERIFY(stillOpen);
        QVERIFY(focusOnPort);
        QCOMPARE(Read(), before);
    }

    void annuleerWritesNothing() {
        const Stored before{3, QStringLiteral("0"), QStringLiteral("/alarm.wav")};
        Write(before);
        ModalDriver driver;
        driver.Queue([](QWidget* dialog) {
            Fill(dialog, QStringLiteral("5"), QStringLiteral("1"), QString());
            ClickButton(dialog, IDCANCEL);
        });
        CConfigDlg::Run(nullptr);
        QCOMPARE(Read(), before);
    }

    void chosenSoundFileFillsTheBox() {
        QTemporaryDir folder;
        const QString chosen = folder.filePath(QStringLiteral("alarm.wav"));
        QFile(chosen).open(QIODevice::WriteOnly);
        ModalDriver driver;
        QString boxAfterChoice;
        driver.Queue([](QWidget* dialog) {
            SetControlText(dialog, CConfigDlg::IDC_GELUID, QStringLiteral("/oud.wav"));
            PressChooseLater(dialog);
        });
        driver.Queue([&](QWidget* picker) {
            auto* files = qobject_cast<QFileDialog*>(picker);
            QVERIFY(files);
            files->setDirectory(folder.path());
            files->selectFile(chosen);
            static_cast<QDialog*>(files)->accept();
        });
        driver.Queue([&](QWidget* dialog) {
            boxAfterChoice = ControlText(dialog, CConfigDlg::IDC_GELUID);
            ClickButton(dialog, IDOK);
        });
        CConfigDlg::Run(nullptr);
        QCOMPARE(boxAfterChoice, chosen);
        QCOMPARE(Read().sound, chosen);
    }

    void cancelledPickerLeavesTheBox() {
        ModalDriver driver;
        QString boxAfterCancel;
        driver.Queue([](QWidget* dialog) {
            SetControlText(dialog, CConfigDlg::IDC_GELUID, QStringLiteral("/getypt.wav"));
            PressChooseLater(dialog);
        });
        driver.Queue([](QWidget* picker) { qobject_cast<QDialog*>(picker)->reject(); });
        driver.Queue([&](QWidget* dialog) {
            boxAfterCancel = ControlText(dialog, CConfigDlg::IDC_GELUID);
            ClickButton(dialog, IDCANCEL);
        });
        CConfigDlg::Run(nullptr);
        QCOMPARE(boxAfterCancel, QStringLiteral("/getypt.wav"));
        QVERIFY(Store().allKeys().isEmpty());
    }
};

TOLVAR_TEST(ConfigDlgTest);

#include "tst_ConfigDlg.moc"
