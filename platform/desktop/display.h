#pragma once

#include <QString>
#include <memory>

class QApplication;

namespace platform {

// Builds the application object on the desktop's display. Without a display it writes the
// message in one line on stderr and ends the process with status 1, instead of Qt's abort.
std::unique_ptr<QApplication> createApplicationOrExit(int &argc, char **argv,
                                                      const QString &noDisplay);

} // namespace platform
