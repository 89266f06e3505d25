// Edit Doc and Print Doc: the file linked to the selected document, handed to the desktop.
#include "workspace/TolvarView.h"

#include "comm/DocumentLauncher.h"
#include "platform/paths/Paths.h"
#include "platform/ui/MessageBox.h"

#include <QFile>
#include <unistd.h>

namespace {

// What a document file must allow before the desktop gets it: a program opened on a file
// it may not write would lose the user's changes.
bool Bruikbaar(const QString& strPath) {
    const QByteArray native = QFile::encodeName(CPaths::ToLocalPath(strPath));
    return ::access(native.constData(), R_OK | W_OK) == 0;
}

void LetOp(QWidget* owner, const QString& strText) {
    MessageBox(owner, strText, QStringLiteral("Let Op"), MB_OK | MB_ICONINFORMATION);
}

} // namespace

int CTolvarView::GetLinkedDocument(QString& strPath) {
    const CTreeNodeData* node = GetSelectedNode();
    if (!node || !CanUseDocument(GetSelectedKind(), GetSelectedTab())) {
        return DOC_GEEN;
    }
    auto* set = static_cast<CRecDocument*>(RecordSet(node->m_nKind));
    set->Selecteer(SEL_NUMMER, node->m_lNumber);
    if (!set->Volgende() || set->szDocument.isEmpty()) {
        return DOC_GEEN;
    }
    strPath = set->szDocument;
    return Bruikbaar(strPath) ? DOC_BRUIKBAAR : DOC_ONBRUIKBAAR;
}

namespace {

void StartDocument(CTolvarView& view, void (*launch)(QWidget*, const QString&)) {
    QString strPath;
    switch (view.GetLinkedDocument(strPath)) {
    case CTolvarView::DOC_GEEN:
        LetOp(&view, QStringLiteral("Geen document hier aan gekoppeld"));
        break;
    case CTolvarView::DOC_ONBRUIKBAAR:
        LetOp(&view, QStringLiteral("Document: ") + strPath + QStringLiteral(" is niet te openen"));
        break;
    default:
        launch(&view, strPath);
        break;
    }
}

} // namespace

void CTolvarView::OnEditDoc() {
    StartDocument(*this, &OpenDocument);
}

void CTolvarView::OnPrintDoc() {
    StartDocument(*this, &PrintDocument);
}
