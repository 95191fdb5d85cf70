// The protocol file of station operations: its header, its records, opening, choosing and the backup name.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// The first line of the protocol file (24 column names, each followed by ";").
inline const QString ProtocolHeader = QStringLiteral(
    "Date;Time;Ser_No;Hardware;Software;BMS;r/d;Batt_date;Cap;Cons;Voltage;CNo;Mode;Work_time;RTC;"
    "Auto_send;Read_out;ExtProt;Sprint_4ms;Card6_with_192_punches;Stopp_if_backup_is_full;"
    "PunchingMode;RadioMode;Action;");

// One record of the protocol file after its date and time: columns 3 to 24,
// named as the header names them. A field left empty gives an empty column;
// Action always lands in the last column whoever fills the record.
struct ProtocolRecord
{
    QString Ser_No;
    QString Hardware;
    QString Software;
    QString BMS;
    QString r_d; // the connection mode's name ("r/d")
    QString Batt_date;
    QString Cap;
    QString Cons;
    QString Voltage;
    QString CNo;
    QString Mode;
    QString Work_time;
    QString RTC;
    QString Auto_send;
    QString Read_out;
    QString ExtProt;
    QString Sprint_4ms;
    QString Card6_with_192_punches;
    QString Stopp_if_backup_is_full;
    QString PunchingMode;
    QString RadioMode;
    QString Action;
};

// The line of a record (without its line end): date, time and the 22 fields,
// each followed by ";". A ";" or a line break inside a value would shift or
// split the columns, so it is written as "," or a blank.
QString ProtocolRecordLine(const QString& dateText, const QString& timeText, const ProtocolRecord& record);

// What the start of an existing protocol file says: Empty (no bytes: it gets
// the header), Current (its first line is the header or the header cut short:
// records go on below it), Other (anything else: the file is moved aside).
enum class ProtocolFileStart { Empty, Current, Other };
// Judges the file's first line as read (its line end may be there or not).
ProtocolFileStart CheckProtocolFileStart(const QByteArray& firstLine);

// Makes the protocol file at gProtocolPath ready: 1 when it is, 0 when not.
uint8_t OpenProtocolFile();
// Appends one record with the PC's date and time.
void WriteProtocolRecord(const ProtocolRecord& record);

// The mobile-network data of a GSM station as its record's Mode column holds them: the SIM PIN, the access
// point, its user and its password, the secrets masked (the file is shared and kept; an empty one stays
// empty, so the record still tells whether one was set).
QString GsmModeField(const QString& pin, const QString& apn, const QString& user, const QString& password);
// The save dialog for the protocol file: 1 when a file was chosen, else 0.
uint8_t ChooseProtocolFile();
// Frees the name `path` by moving an existing file to its first free backup
// name (base ".bak" ext, then ".bak1", ".bak2" ...). False when that failed.
bool RenameToBackup(const QString& path);

} // namespace qv
