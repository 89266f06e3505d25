#include "app/HelpWindow.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tolvar Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setSource(QUrl(QStringLiteral("qrc:/help/tolvar.html")));
    browser->setOpenExternalLinks(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Sluiten"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    resize(640, 560);
}

CHelpWindow* CHelpWindow::Show(QWidget* parent) {
    static QPointer<CHelpWindow> window;
    if (!window) {
        window = new CHelpWindow(parent);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
