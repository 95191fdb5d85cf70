// The stations the demo offers: a read-out station that people put cards into, a read-out station with
// radio cards put on it, a mobile-network station. Each is the simulated station set up as a real one of
// that kind is, so that every picture of the README can be taken against it.
#pragma once
#include "sim_station.h"

#include <QObject>
#include <QStringList>
#include <memory>

namespace qv::sim {

// The scenes by name, the plain station ("station") first.
QStringList demoSceneNames();

// Sets the station up as the scene `name` shows it and returns what keeps the scene going (the cards put in
// and taken out again while the program runs); nullptr for an unknown name. The station must outlive it.
// `cardIntervalMs` is how long a card lies in the station unread before the person takes it out and puts
// the next one in.
std::unique_ptr<QObject> setUpDemoScene(SimStation& station, const QString& name, int cardIntervalMs = 4000);

} // namespace qv::sim
