// The topics of the program's help pages that F1 opens: the HelpContextID a control carries names one.
#pragma once
#include <QString>

namespace qv {

namespace HelpTopic {
// The operating mode shown in the read column.
constexpr int ControlModes = 40; // clear, check, control, start, finish and the like
constexpr int Readout = 50;
constexpr int Printout = 80;
constexpr int TimeTrigger = 90; // start and finish with time trigger
constexpr int OtherModes = 440;
// The hardware field of a master station.
constexpr int Master = 70;
// The status box of the read column: the station records its traffic, or its ordinary state.
constexpr int ProtocolStatus = 420;
constexpr int StationStatus = 430;
} // namespace HelpTopic

// Every topic a control can carry; each has its place in the help page of every language.
inline constexpr int kHelpTopics[] = {HelpTopic::ControlModes,   HelpTopic::Readout,      HelpTopic::Printout,
                                      HelpTopic::TimeTrigger,    HelpTopic::OtherModes,   HelpTopic::Master,
                                      HelpTopic::ProtocolStatus, HelpTopic::StationStatus};

// The anchor of a topic in a help page ("topic-50"), the fragment of the address F1 opens.
inline QString helpTopicAnchor(int topic)
{
    return QStringLiteral("topic-%1").arg(topic);
}

} // namespace qv
