// The one main of the test programs that need Qt: a QApplication (on the
// offscreen platform unless the caller chose another, as the desktop tests
// do), then what the program registers here, then the tests. What the
// registered set-up returns lives until the tests are done and goes before
// the QApplication, as a host's application object and windows do.
#pragma once

#include <functional>
#include <memory>

class QtTestSetUp
{
public:
    using Make = std::function<std::shared_ptr<void>()>;
    // At most one per program, from a static object.
    explicit QtTestSetUp(Make make);

    static std::shared_ptr<void> Run();
};
