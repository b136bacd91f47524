#pragma once
// A lesson: a mode with its own GUI panel over the window and a shader-reload hook.

#include "testcase/modebase.h"

namespace Halvex::HGui
{
class HWidget;
}

class TestBase : public ModeBase
{
public:
    // Creates the panel under the application's root widget.
    TestBase();
    // Deletes the panel with all the lesson's controls.
    ~TestBase() override;
    TestBase(const TestBase&) = delete;
    TestBase& operator=(const TestBase&) = delete;

    virtual void ReloadShaders() {}

    Halvex::HGui::HWidget* GetPanel() const { return m_pPanel; }

private:
    // Owned; a raw pointer because the widget tree links it as a child of the root.
    Halvex::HGui::HWidget* m_pPanel;
};
