#include "controls/SplashScreen.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimerEvent>

namespace {

constexpr int kDisplayMs = 750;

bool g_bShowSplash = false;
CSplashScreen* g_pSplash = nullptr;

bool IsPress(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        return true;
    default:
        return false;
    }
}

// Routes every event of the application through the splash filter.
class PreTranslateFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        return CSplashScreen::SplashPreTranslate(event);
    }
};

} // namespace

void CSplashScreen::EnableSplash(bool bEnable) {
    g_bShowSplash = bEnable;
}

void CSplashScreen::ShowSplash(QWidget* pParentWnd) {
    if (!g_bShowSplash || g_pSplash) {
        return;
    }
    auto* splash = new CSplashScreen(pParentWnd);
    if (!splash->Create()) {
        delete splash;
        return;
    }
    splash->show();
    splash->repaint();
}

bool CSplashScreen::SplashPreTranslate(QEvent* event) {
    if (!g_pSplash) {
        return false;
    }
    // A key first asks whether it is a shortcut; taking that question keeps the key from
    // running a command, so that the key press itself arrives here and is consumed.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (IsPress(event->type())) {
        g_pSplash->HideSplash();
        return true;
    }
    return false;
}

void CSplashScreen::InstallPreTranslate(QCoreApplication* app) {
    static QPointer<QObject> filter;
    if (!filter) {
        filter = new PreTranslateFilter(app);
        app->installEventFilter(filter);
    }
}

CSplashScreen* CSplashScreen::Current() {
    return g_pSplash;
}

void CSplashScreen::HideSplash() {
    if (g_pSplash != this) {
        return;
    }
    g_pSplash = nullptr;
    killTimer(m_nTimer);
    // A desktop that gave the splash the focus after all gets it back to the main window.
    const bool bWasActive = isActiveWindow();
    hide();
    deleteLater();
    if (m_pOwner) {
        QWidget* mainWnd = m_pOwner->window();
        if (bWasActive && mainWnd->isVisible()) {
            mainWnd->activateWindow();
        }
        mainWnd->repaint();
    }
}

void CSplashScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_bitmap);
}

void CSplashScreen::timerEvent(QTimerEvent*) {
    HideSplash();
}

CSplashScreen::CSplashScreen(QWidget* pParentWnd)
    : QWidget(pParentWnd,
              Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_pOwner(pParentWnd) {
    g_pSplash = this;
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::ArrowCursor);
}

CSplashScreen::~CSplashScreen() {
    if (g_pSplash == this) {
        g_pSplash = nullptr;
    }
}

// A picture that cannot be loaded means no splash.
bool CSplashScreen::Create() {
    QSvgRenderer picture(QStringLiteral(":/images/splash.svg"));
    if (!picture.isValid() || picture.defaultSize().isEmpty()) {
        return false;
    }
    const qreal ratio = devicePixelRatioF();
    m_bitmap = QPixmap(picture.defaultSize() * ratio);
    m_bitmap.setDevicePixelRatio(ratio);
    m_bitmap.fill(Qt::white);
    QPainter painter(&m_bitmap);
    picture.render(&painter, QRectF(QPointF(0, 0), picture.defaultSize()));
    painter.end();
    setFixedSize(picture.defaultSize());
    CenterWindow();
    m_nTimer = startTimer(kDisplayMs);
    return m_nTimer != 0;
}

void CSplashScreen::CenterWindow() {
    QRect area;
    if (m_pOwner && m_pOwner->isVisible()) {
        area = m_pOwner->window()->frameGeometry();
    } else {
        QScreen* screen = m_pOwner ? m_pOwner->screen() : nullptr;
        area = (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
    }
    move(area.center() - rect().center());
}
