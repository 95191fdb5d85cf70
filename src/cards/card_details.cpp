// The layout of the card details text: single fields on lines of their own, grouped fields (times, captions
// with "_") side by side, one line per punch headed by its number.
#include "cards/card_details.h"

#include "platform/runtime/numbers.h"

#include <cmath>

namespace qv {

namespace {

constexpr int kMaxPunches = 192;
constexpr double kCaptionWidthTwips = 1200;
const QString kCrLf = QStringLiteral("\r\n");
const QString kTab = QStringLiteral("\t");

enum class Pass { Main, Fixed };

struct LayoutState
{
    QString group;
    int lastPunch = 0;
    bool lineClosed = false;
};

QString padCaption(QString s, const std::function<double(const QString&)>& textWidth)
{
    double width = textWidth(s);
    while (width < kCaptionWidthTwips) {
        const QString padded = QLatin1Char(' ') + s;
        const double next = textWidth(padded);
        // A font whose blank has no width would never get there.
        if (!(next > width))
            break;
        s = padded;
        width = next;
    }
    return s;
}

// The caption part of one column, and the state it leaves.
QString captionPart(int n, QString s, const QString& v, Pass pass, LayoutState& st)
{
    if (n > 0 && n != st.lastPunch) {
        // The owner-data pass starts a punch line on a fresh line only after an earlier punch.
        const bool newLine = pass == Pass::Main || st.lastPunch > 0;
        st.lastPunch = n;
        return (newLine ? kCrLf : QString()) + s + QLatin1Char(':') + kTab;
    }
    if (n != 0)
        return kTab;
    QString g = s.trimmed();
    g = g.left(s.contains(QLatin1String("-r_")) ? 4 : 2);
    const bool single = !v.contains(QLatin1Char(':')) && !s.contains(QLatin1Char('_'));
    if (single || g == st.group) {
        if (g != st.group) {
            st.group.clear();
            if (!st.lineClosed)
                s = kCrLf + s;
        }
        return st.group.isEmpty() ? s + QLatin1Char(':') + kTab : kTab;
    }
    const QString c = (st.group.isEmpty() ? QString() : kCrLf) + s + QLatin1Char(':') + kTab;
    st.group = g;
    return c;
}

} // namespace

int DetailsPunchNumber(const QString& caption)
{
    const double n = Round(Val(caption));
    if (!std::isfinite(n) || n < 1 || n > kMaxPunches)
        return 0;
    return int(n);
}

DetailsText BuildDetailsText(const QList<DetailsColumn>& columns, const DetailsTexts& texts,
                             bool colHeadInUse, const std::function<double(const QString&)>& textWidth)
{
    QString fixedList = QStringLiteral(";");
    for (const QString& t : texts.fixedCaptions)
        fixedList += t + QLatin1Char(';');
    auto isFixed = [&](const QString& s) {
        return fixedList.contains(QLatin1Char(';') + s + QLatin1Char(';'));
    };

    DetailsText out;
    LayoutState st;
    auto runPass = [&](Pass pass) {
        for (const DetailsColumn& col : columns) {
            QString s = col.caption;
            const bool taken = pass == Pass::Main ? colHeadInUse || !isFixed(s) : isFixed(s);
            if (!taken)
                continue;
            if (pass == Pass::Main && col.width > 0)
                ++out.shownColumns;
            const QString& v = col.value;
            if (!texts.cardNoCaption.isEmpty() && s == texts.cardNoCaption)
                out.titleSuffix = QLatin1Char(' ') + s + QLatin1Char('=') + v;
            const int n = DetailsPunchNumber(s);
            if (n > 0) {
                if (v.isEmpty() && (pass == Pass::Main || s.endsWith(texts.punchCaption)))
                    continue;
                s = QString::number(n) + QLatin1Char('.');
            }
            s = padCaption(s, textWidth);
            DetailsPiece piece;
            piece.caption = captionPart(n, s, v, pass, st);
            st.lineClosed = n == 0 && st.group.isEmpty();
            piece.value = v;
            piece.closesLine = st.lineClosed;
            out.pieces.append(piece);
        }
    };
    runPass(Pass::Main);
    if (!colHeadInUse)
        runPass(Pass::Fixed);
    return out;
}

QString DetailsPlainText(const QList<DetailsPiece>& pieces)
{
    QString text;
    for (const DetailsPiece& p : pieces)
        text += p.caption + p.value + (p.closesLine ? kCrLf : QString());
    return text;
}

} // namespace qv
