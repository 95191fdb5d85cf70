// The protocol file's record line.
#include "link/protocol_file.h"

namespace qv {

namespace {

QString cleanField(QString value)
{
    value.replace(QLatin1Char(';'), QLatin1Char(','));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

QString ProtocolRecordLine(const QString& dateText, const QString& timeText, const ProtocolRecord& r)
{
    const QString* const fields[] = {
        &r.Ser_No,
        &r.Hardware,
        &r.Software,
        &r.BMS,
        &r.r_d,
        &r.Batt_date,
        &r.Cap,
        &r.Cons,
        &r.Voltage,
        &r.CNo,
        &r.Mode,
        &r.Work_time,
        &r.RTC,
        &r.Auto_send,
        &r.Read_out,
        &r.ExtProt,
        &r.Sprint_4ms,
        &r.Card6_with_192_punches,
        &r.Stopp_if_backup_is_full,
        &r.PunchingMode,
        &r.RadioMode,
        &r.Action,
    };
    static_assert(std::size(fields) == 22);
    QString line = cleanField(dateText) + QLatin1Char(';') + cleanField(timeText) + QLatin1Char(';');
    for (const QString* f : fields)
        line += cleanField(*f) + QLatin1Char(';');
    return line;
}

} // namespace qv
