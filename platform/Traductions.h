#pragma once
// Qt's own texts (dialog buttons, file dialogs, key names) in French.

#include <QTranslator>
#include <memory>

namespace plivor {

// Installed on the application for as long as the translator lives;
// nothing when Qt's French translations are not installed.
std::unique_ptr<QTranslator> InstallerTraductionsQt();

}  // namespace plivor
