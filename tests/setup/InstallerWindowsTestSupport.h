#pragma once

#include "platform/messagebox/MessageBox.h"
#include "platform/registry/IniRegistry.h"
#include "setup/InstallerStrings.h"
#include "tests/setup/ScriptedSetup.h"
#include "tests/setupsupport/SetupTestMachine.h"

#include <deque>
#include <vector>

namespace kaldo::testsupport {

// Answers message boxes in place of a person and remembers what was asked.
class ScriptedAnswers {
public:
    void Push(MessageAnswer answer) { m_answers.push_back(answer); }

    MessageBoxFunction Function() {
        return [this](QWidget*, const MessageRequest& request) {
            m_asked.push_back(request);
            if (m_answers.empty())
                return DefaultAnswer(request.Buttons);
            const MessageAnswer answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        };
    }

    const std::vector<MessageRequest>& Asked() const { return m_asked; }

private:
    std::deque<MessageAnswer> m_answers;
    std::vector<MessageRequest> m_asked;
};

// The installer's own strings and a machine of the test's own.
class InstallerWindowsFixture {
protected:
    std::string Text(InstallerString id) const { return InstallerText(m_setup, id); }

    SetupTestMachine m_machine;
    IniRegistry m_registry{m_machine.MachineRegistry(), m_machine.UserRegistry()};
    ScriptedSetup m_setup{kInstallerStringTables, m_registry, "en_US.UTF-8"};
    ScriptedAnswers m_answers;
};

} // namespace kaldo::testsupport
