#include "workspace/TreeLineStyle.h"

#include <QStyleFactory>

CTreeLineStyle::CTreeLineStyle() : m_pLines(QStyleFactory::create(QStringLiteral("Windows"))) {}

CTreeLineStyle::~CTreeLineStyle() {
    delete m_pLines;
}

void CTreeLineStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element == PE_IndicatorBranch && m_pLines) {
        m_pLines->drawPrimitive(element, option, painter, widget);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
