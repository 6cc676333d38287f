#pragma once

#include "main/dialogs/LinkLabel.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace kaldo {

// Tells the user that a program the content needs is missing and offers a link to where it
// can be had.
class LinkMessageDialog final : public QDialog {
public:
    LinkMessageDialog(QWidget* owner, const std::string& title, const std::string& text,
                      const std::string& link, LinkLabel::Actions actions);

    QLabel* IconLabel() const { return m_icon; }
    QLabel* TextLabel() const { return m_text; }
    LinkLabel* Link() const { return m_link; }
    QPushButton* OkButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_icon = nullptr;
    QLabel* m_text = nullptr;
    LinkLabel* m_link = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace kaldo
