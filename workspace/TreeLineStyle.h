#pragma once

#include <QProxyStyle>

// The desktop's own style for everything in the workspace tree except its branches, which
// get dotted lines and plus/minus buttons, so that the hierarchy of a deep tree stays easy
// to follow.
class CTreeLineStyle : public QProxyStyle {
public:
    CTreeLineStyle();
    ~CTreeLineStyle() override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    QStyle* m_pLines;
};
