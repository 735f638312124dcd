#pragma once
// The one QApplication of the GUI tests, created on first use on the
// offscreen platform (CTest sets it; a test started by hand gets it too).

class QApplication;

namespace aw::test {

QApplication& TestApplication();

} // namespace aw::test
