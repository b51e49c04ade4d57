#pragma once

// Qt's own Chinese texts for its standard dialogs and buttons (message boxes,
// the print dialog, the file dialog), carried inside the executable so that a
// copied program still speaks Chinese.
namespace QtTranslations {

// Installs them into the running application once; false when they cannot be read.
bool install();

} // namespace QtTranslations
