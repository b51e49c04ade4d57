#pragma once
#include "support/WindowTest.h"

// Report window tests: the program folder is also the temporary folder, so
// the chart files land in it.
class ReportWindowTest : public WindowTest {
  protected:
    TemporaryFolderSwitch m_temporaryFolder{folder.path()};
};
