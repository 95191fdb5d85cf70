// Re-evaluation of card dump files, of the card blocks kept in memory and of backup-memory lines.
#include "cards/card_reevaluation.h"

#include "app/bytes.h"
#include "cards/card_detect.h"
#include "cards/card_fields.h"
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_state.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

// The fields of a text split on `separator` into slots 1 to `slots` (slot 0 stays empty); a slot the text
// does not reach keeps what `into` held.
void splitInto(QStringList& into, const QString& text, QChar separator, int slotCount)
{
    const QStringList parts = text.split(separator);
    for (int k = 0; k < parts.size() && k + 1 <= slotCount; ++k)
        into[k + 1] = parts[k];
}

bool isNewFirstBlock(const QByteArray& image)
{
    return IsAllBytes(image.mid(4, 4), 0xED) || IsAllBytes(image.mid(4, 4), 0xEA);
}

// The walk over the images of one run.
class ImageWalk
{
  public:
    ImageWalk(int last, int step, const std::function<QByteArray(int)>& imageAt,
              const std::function<void()>& addRow, bool fileDialogActive)
        : m_first(step > 0 ? 1 : last), m_last(step > 0 ? last : 1), m_step(step), m_imageAt(imageAt),
          m_addRow(addRow), m_fileDialog(fileDialogActive)
    {
    }

    void run()
    {
        for (m_i = m_first; m_step > 0 ? m_i <= m_last : m_i >= m_last; m_i += m_step) {
            gMoreBlocks = false;
            m_image = m_imageAt(m_i);
            if (m_image.isEmpty())
                return;
            if (!evaluateCard())
                return;
            if (m_i == m_last && !gMoreBlocks)
                m_addRow();
        }
    }

  private:
    // The next image of the run; false when the run has none left.
    bool nextImage()
    {
        if (m_i == m_last)
            return false;
        m_i += m_step;
        m_image = m_imageAt(m_i);
        return !m_image.isEmpty();
    }

    bool startsNewCard(bool secondBlock) const
    {
        if (!(secondBlock && m_fileDialog) && isNewFirstBlock(m_image))
            return true;
        return IsValidCardBlock(m_image);
    }

    // Sets the card number and gCardType from the first image of a card.
    void classify()
    {
        if (IsAllBytes(m_image.mid(4, 4), 0xED)) {
            const QString no = CardNumberText(m_image.mid(11, 3));
            gCardType = GetCardTypeCode(0, int32_t(Val(no)), m_image.left(4));
        } else if (IsAllBytes(m_image.mid(4, 4), 0xEA)) {
            const QString no = CardNumberText(m_image.mid(25, 3));
            gCardType = GetCardTypeCode(int16_t(uint8_t(m_image.at(24))), int32_t(Val(no)));
        } else {
            CardNumberText(cardBytes({m_image.at(6), m_image.at(4), m_image.at(5)}));
            const uint8_t b6 = uint8_t(m_image.at(6));
            gCardType = (b6 == 'R' || b6 == 'U') ? b6 : uint8_t('P');
        }
    }

    static bool card128(uint8_t t) { return t == 0xA1 || t == 0xF7 || t == 0xF9; }

    // Evaluates the card that begins with the current image; false ends the whole run (an image that
    // could not be had).
    bool evaluateCard()
    {
        for (;;) {
            gMoreBlocks = false;
            if (m_image.size() < kDumpRecordBytes)
                return false;
            classify();
            const uint8_t t = gCardType;
            DecodeCardData(t, 0, m_image);
            if (t < 0x60)
                return true;

            // The second block.
            if (!nextImage())
                return true;
            if (startsNewCard(true)) {
                if (!gMoreBlocks)
                    m_addRow();
                continue;
            }
            uint8_t n = 6;
            if (t == 0xB0)
                n = 1;
            else if (t >= 0xA1)
                n = gNextBlockNo;
            else if (t >= 0x80 || t == 0x61)
                n = 1;
            DecodeCardData(t, n, m_image);
            if (t > 0x61 && !card128(t))
                return true;

            // The third block.
            if (!nextImage())
                return true;
            if (startsNewCard(false)) {
                if (!gMoreBlocks)
                    m_addRow();
                continue;
            }
            if (card128(t)) {
                const int16_t layout = DetectCardLayout(m_image);
                if (gAutoSendRead != 0)
                    n = layout == kLayoutBlock2 ? 2 : gNextBlockNo;
                else
                    n = gNextBlockNo > 0 ? gNextBlockNo : 4;
                if (layout == kLayoutBlock1)
                    n = 1;
                else if (layout == kLayoutBlock2)
                    n = 2;
                else if (layout == kLayoutAirBlock3)
                    n = 3;
            } else {
                n = t == 0x61 ? 2 : 7;
            }
            DecodeCardData(t, n, m_image);

            // The further blocks of the long cards, numbered on from the block just decoded.
            if (t == 0x61 || card128(t)) {
                bool restarted = false;
                for (int b = t == 0x61 ? 3 : gNextBlockNo; b <= 7; ++b) {
                    if (!nextImage())
                        continue;
                    if (startsNewCard(false)) {
                        if (!gMoreBlocks)
                            m_addRow();
                        restarted = true;
                        break;
                    }
                    DecodeCardData(t, uint8_t(b), m_image);
                    b = gBlockMark;
                }
                if (restarted)
                    continue;
            }
            return true;
        }
    }

    int m_first;
    int m_last;
    int m_step;
    const std::function<QByteArray(int)>& m_imageAt;
    const std::function<void()>& m_addRow;
    bool m_fileDialog;
    int m_i = 0;
    QByteArray m_image;
};

} // namespace

QByteArray GetCardResponseData(const QByteArray& reply, bool extended)
{
    if (extended)
        return reply.size() > 7 ? reply.mid(7) : QByteArray();
    if (reply.size() < 133)
        return {};
    QByteArray out = reply.mid(5, 128);
    std::reverse(out.begin(), out.end());
    return out;
}

DumpRecordCount dumpRecordCount(int64_t length)
{
    if (length <= 0)
        return {};
    return {length / kDumpRecordBytes, length % kDumpRecordBytes};
}

void evaluateCardImages(int last, int step, const std::function<QByteArray(int)>& imageAt,
                        const std::function<void()>& addRow, bool fileDialogActive)
{
    if (last < 1 || step == 0)
        return;
    ImageWalk(last, step, imageAt, addRow, fileDialogActive).run();
}

QString backupLinesListText(const QStringList& lines, const QString& heading, uint8_t separatorType,
                            const QString& qualifier, bool appendToPrevious, const QString& previous)
{
    QStringList texts(5);
    splitInto(texts, heading, QLatin1Char(';'), 4);
    QString out =
        appendToPrevious ? previous : BuildReadoutRecordLine(texts.mid(1), 4, separatorType, qualifier);
    int running = 0;
    for (const QString& line : lines) {
        texts[1] = QString::number(++running);
        const QStringList fields = line.split(QLatin1Char('\t'));
        for (int k = 2; k <= 4 && k - 1 < fields.size(); ++k)
            texts[k] = fields[k - 1];
        if (!out.isEmpty())
            out += QStringLiteral("\r\n");
        out += BuildReadoutRecordLine(texts.mid(1), 4, separatorType, qualifier);
    }
    return out;
}

} // namespace qv
