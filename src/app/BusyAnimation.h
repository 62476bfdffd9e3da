// The busy indicator: an animated GIF read afresh from the resource bundle beside the executable
// at each start and played in an image label.
#pragma once

#include <QString>
#include <string>

class QLabel;

// Plays the GIF resource named name (upper-cased) of the bundle in image. Raises "Resource NAME
// not found" when the bundle or the resource is missing, or the decoder's message for a bad GIF.
void startBusyAnimation(QLabel* image, const std::string& name);

// Empties the label's picture; the label stays visible.
void stopBusyAnimation(QLabel* image);

// The bundle file: "TarnwickSys.rcc" among the data files unless a test moved it.
QString busyBundlePath();
void setBusyBundlePathForTesting(const QString& path);
