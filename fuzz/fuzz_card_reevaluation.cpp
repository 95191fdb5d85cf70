// Fuzz target: arbitrary bytes as a card dump file re-evaluated into card list rows, and as the reply frames
// of a read-out's block table walked in both directions.
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/card_reevaluation.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_model.h"
#include "cards/cardlist_rows.h"
#include "cards/cardlist_state.h"
#include "link/card_list_window.h"
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

#include <QByteArray>
#include <QList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The card list's side as the interpreter sees it: a finished card becomes a row of `list`.
class RowSink final : public qv::CardListWindow
{
  public:
    explicit RowSink(qv::CardListAccess& list) : m_list(list) {}
    void addCardRow() override { qv::addCardListRow(m_list, qv::gCardRecord); }

  private:
    qv::CardListAccess& m_list;
};

// Walks the images into `list`; every finished or cut-short card becomes a row.
void walk(qv::CardListAccess& list, int last, int step, const std::function<QByteArray(int)>& imageAt,
          bool fileDialogActive)
{
    const auto addRow = [&list] { qv::addCardListRow(list, qv::gCardRecord); };
    RowSink sink(list);
    qv::CardListWindowSide::install(&sink);
    qv::gCardRecord = qv::gEmptyCardRecord;
    try {
        qv::evaluateCardImages(last, step, imageAt, addRow, fileDialogActive);
    } catch (const qv::VbError&) {
        // A block too short for its layout: the caller's error trap reports it.
    }
    qv::CardListWindowSide::install(nullptr);
}

} // namespace

// Input: a flags byte, then the dump file's bytes (read as 128-byte records, a partial tail left out), which
// are also cut into reply frames of the extended and the base form for the block-table walk.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t flags = data[0];
    const QByteArray dump(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const bool fileDialogActive = flags & 0x01;
    qv::gSprintUsed = flags & 0x02;
    qv::gAutoSendRead = (flags >> 2) & 0x01;
    qv::gNodrelMode = flags & 0x08;
    qv::gHighColumnKeys = flags & 0x10;
    qv::gActionCode = qv::ActCardsFile;
    qv::gReadingListFile = false;
    qv::gFirmware = 600;
    qv::gDeletedCards.clear();
    qv::gWeekdayNames =
        QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  Friday    Saturday  ");

    // The dump file: whole records only, and never more rows than records.
    const qv::DumpRecordCount count = qv::dumpRecordCount(dump.size());
    check(count.records * qv::kDumpRecordBytes + count.tailBytes == dump.size());
    check(count.tailBytes >= 0 && count.tailBytes < qv::kDumpRecordBytes);
    qv::gEvaluatingDumpFile = true;
    qv::CardListTable list;
    qv::appendDefaultColumns(list);
    walk(
        list, int(count.records), 1,
        [&](int i) { return dump.mid(qsizetype(i - 1) * qv::kDumpRecordBytes, qv::kDumpRecordBytes); },
        fileDialogActive);
    qv::gEvaluatingDumpFile = false;
    check(list.rowCount() <= count.records);

    // The block table of a read-out: frames of 135 bytes (extended) or 134 (base), in read order for the
    // extended protocol and backwards for the base one.
    for (const bool extended : {true, false}) {
        const qsizetype frameBytes = extended ? 135 : 134;
        QList<QByteArray> frames{QByteArray()};
        for (qsizetype at = 0; at < dump.size() && frames.size() < 40; at += frameBytes)
            frames.append(dump.mid(at, frameBytes));
        const int last = int(frames.size()) - 1;
        QByteArray image;
        qv::CardListTable table;
        qv::appendDefaultColumns(table);
        walk(
            table, last, extended ? 1 : -1,
            [&](int i) {
                const QByteArray got = qv::GetCardResponseData(frames.value(i), extended);
                if (!got.isEmpty())
                    image = got;
                return image;
            },
            fileDialogActive);
        check(table.rowCount() <= last);
    }
    return 0;
}
