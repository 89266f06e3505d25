// Reading and writing a memo of about one megabyte of RTF with mixed formatting, and
// reading memos whose every run has a font of its own.
#include "platform/rtf/Rtf.h"

#include <algorithm>
#include <cstdio>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

namespace {

constexpr qsizetype kTargetBytes = 1024 * 1024;
constexpr int kRuns = 7;

QTextCharFormat RunFormat(int n) {
    QTextCharFormat f;
    f.setFontFamilies({n % 5 == 0 ? "Courier New" : "Arial"});
    f.setFontPointSize(n % 7 == 0 ? 14 : 10);
    f.setFontWeight(n % 3 == 0 ? QFont::Bold : QFont::Normal);
    f.setFontItalic(n % 4 == 0);
    f.setFontUnderline(n % 6 == 0);
    if (n % 8 == 0) {
        f.setForeground(QColor(200, 0, 0));
    }
    if (n % 11 == 0) {
        f.setBackground(QColor(255, 255, 0));
    }
    return f;
}

void AddParagraph(QTextCursor& c, int paragraph) {
    static const QString words[] = {
        QStringLiteral("Afspraak met de klant over de offerte, "),
        QString::fromUtf8("één coördinator bevestigt de levering à €250 per stuk; "),
        QStringLiteral("telefonisch nagevraagd {zie order 1234}\t"),
        QString::fromUtf8("łódź Ωmega 💩 "),
        QStringLiteral("de prijs is inclusief btw en verzending. ")};
    for (int run = 0; run < 12; ++run) {
        const int n = paragraph * 12 + run;
        c.insertText(words[n % 5], RunFormat(n));
    }
    QTextBlockFormat b;
    b.setAlignment(paragraph % 4 == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
    c.insertBlock(b);
}

QByteArray MakeMemo() {
    QTextDocument doc;
    QTextCursor c(&doc);
    int paragraph = 0;
    while (true) {
        for (int i = 0; i < 100; ++i) {
            AddParagraph(c, paragraph++);
        }
        const QByteArray rtf = WriteRtf(doc);
        if (rtf.size() >= kTargetBytes) {
            return rtf;
        }
    }
}

// Each of the fonts in the table is used by one run of its own.
QByteArray MemoWithFonts(int fonts) {
    QByteArray table = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    QByteArray body;
    for (int n = 0; n < fonts; ++n) {
        const QByteArray number = QByteArray::number(n);
        table += "{\\f" + number + "\\fnil Lettertype " + number + ";}";
        body += "\\f" + number + " woord " + number + ' ';
    }
    return table + "}\\viewkind4\\uc1\\pard " + body + "\\par\n}";
}

template <typename F> double MedianMs(F step, int runs = kRuns) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QByteArray memo = MakeMemo();
    QTextDocument doc;
    const double readMs = MedianMs([&] { ReadRtf(memo, &doc); });
    QByteArray written;
    const double writeMs = MedianMs([&] { written = WriteRtf(doc); });
    if (written != memo) {
        std::fprintf(stderr, "the memo did not survive reading and writing\n");
        return 1;
    }
    std::printf("rtf_memo_size: %lld bytes\n", static_cast<long long>(memo.size()));
    std::printf("rtf_read_1mb: %.1f ms\n", readMs);
    std::printf("rtf_write_1mb: %.1f ms\n", writeMs);
    for (const int fonts : {5000, 10000, 20000}) {
        const QByteArray rtf = MemoWithFonts(fonts);
        QTextDocument fontDoc;
        const double ms = MedianMs([&] { ReadRtf(rtf, &fontDoc); }, 3);
        std::printf("rtf_read_fonts_%d: %.1f ms\n", fonts, ms);
    }
    return 0;
}
