#include "uninstall/ui/UninstallWindow.h"

#include "platform/messagebox/Unattended.h"
#include "setupsupport/SetupSupport.h"
#include "uninstall/Uninstaller.h"
#include "uninstall/UninstallerStrings.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include <iostream>

namespace kaldo {

namespace {

QPixmap LoadPicture(const char* name) {
    return QPixmap(QStringLiteral(":/kaldo/tendwelluninstall/images/") + QLatin1String(name));
}

MessageRequest Message(const SetupSupport& setup, UninstallerString captionId,
                       UninstallerString textId, MessageIcon icon) {
    MessageRequest request;
    request.Caption = UninstallerText(setup, captionId);
    request.Text = UninstallerText(setup, textId);
    request.Icon = icon;
    return request;
}

} // namespace

MessageRequest NotRemovedMessage(const SetupSupport& setup, const std::vector<std::string>& paths) {
    constexpr size_t kShown = 12;
    std::string list;
    for (size_t i = 0; i < paths.size() && i < kShown; ++i)
        list += (i == 0 ? "" : "\n") + paths[i];
    if (paths.size() > kShown)
        list += "\n…";
    MessageRequest request;
    request.Caption = UninstallerText(setup, UninstallerString::WindowCaption);
    request.Text = UninstallerText(setup, UninstallerString::NotRemovedText);
    if (const size_t at = request.Text.find("%s"); at != std::string::npos)
        request.Text.replace(at, 2, list);
    else
        request.Text += "\n\n" + list;
    request.Icon = MessageIcon::Warning;
    return request;
}

UninstallWindow::UninstallWindow(SetupSupport& setup, Uninstaller& uninstaller,
                                 MessageBoxFunction ask, QWidget* parent)
    : QDialog(parent)
    , m_setup(setup)
    , m_uninstaller(uninstaller)
    , m_ask(std::move(ask))
    , m_units(QApplication::font())
    , m_picture(new QLabel(this))
    , m_prompt(new QLabel(this))
    , m_list(new QTreeWidget(this))
    , m_selectAll(new QPushButton(this))
    , m_deselectAll(new QPushButton(this))
    , m_remove(new QPushButton(this))
    , m_done(new QPushButton(this)) {
    const auto text = [&](UninstallerString id) {
        return QString::fromStdString(UninstallerText(setup, id));
    };
    setObjectName(QStringLiteral("uninstallWindow"));
    setWindowTitle(text(UninstallerString::WindowCaption));
    setFixedSize(m_units.Size(313, 137));
    const QPixmap icon = LoadPicture("program.png");
    if (!icon.isNull())
        setWindowIcon(QIcon(icon.scaled(11, 12, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));

    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setGeometry(m_units.Rect(1, 2, 76, 132));
    m_picture->setScaledContents(true);
    m_picture->setPixmap(LoadPicture("side.png"));

    m_prompt->setObjectName(QStringLiteral("prompt"));
    m_prompt->setGeometry(m_units.Rect(85, 9, 220, 23));
    m_prompt->setWordWrap(true);
    m_prompt->setText(text(UninstallerString::Prompt));

    m_list->setObjectName(QStringLiteral("contentList"));
    m_list->setGeometry(m_units.Rect(85, 41, 220, 43));
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({QStringLiteral("Name")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->header()->setDefaultAlignment(Qt::AlignLeft);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateRemove(); });

    const struct {
        QPushButton* Button;
        const char* Name;
        UninstallerString Id;
        QRect Place;
    } buttons[] = {
        {m_selectAll, "selectAllButton", UninstallerString::SelectAll,
         m_units.Rect(85, 91, 72, 14)},
        {m_deselectAll, "deselectAllButton", UninstallerString::DeselectAll,
         m_units.Rect(233, 91, 72, 14)},
        {m_remove, "removeButton", UninstallerString::Remove, m_units.Rect(85, 120, 72, 14)},
        {m_done, "doneButton", UninstallerString::Done, m_units.Rect(233, 120, 72, 14)},
    };
    for (const auto& [button, name, id, place] : buttons) {
        button->setObjectName(QLatin1String(name));
        button->setText(text(id));
        button->setGeometry(place);
        button->setAutoDefault(false);
    }
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(m_units.X(77), m_units.Y(111) - 1, m_units.X(236), 3);

    connect(m_selectAll, &QPushButton::clicked, this, [this] { SelectAll(); });
    connect(m_deselectAll, &QPushButton::clicked, this, [this] { DeselectAll(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(m_done, &QPushButton::clicked, this, [this] { accept(); });

    FillList();
}

void UninstallWindow::FillList() {
    m_list->clear();
    for (const std::string& name : m_uninstaller.Contents())
        new QTreeWidgetItem(m_list, {QString::fromStdString(name)});
    if (m_list->topLevelItemCount() > 0) {
        QTreeWidgetItem* first = m_list->topLevelItem(0);
        m_list->setCurrentItem(first);
        first->setSelected(true);
    }
    m_list->resizeColumnToContents(0);
    UpdateRemove();
}

std::vector<std::string> UninstallWindow::Selected() const {
    std::vector<std::string> names;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->isSelected())
            names.push_back(m_list->topLevelItem(i)->text(0).toStdString());
    }
    return names;
}

void UninstallWindow::SelectAll() {
    m_list->setFocus();
    m_list->selectAll();
}

void UninstallWindow::DeselectAll() {
    m_list->setFocus();
    m_list->clearSelection();
    m_list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

void UninstallWindow::RemoveSelected() {
    const std::vector<std::string> names = Selected();
    if (names.empty())
        return;
    const bool everything = m_uninstaller.Remove(names);
    if (!m_uninstaller.NotRemoved().empty()) {
        m_ask(this, NotRemovedMessage(m_setup, m_uninstaller.NotRemoved()));
    } else if (everything) {
        m_ask(this, Message(m_setup, UninstallerString::CompleteCaption,
                            UninstallerString::CompleteText, MessageIcon::Information));
    }
    if (everything) {
        accept();
        return;
    }
    FillList();
}

void UninstallWindow::UpdateRemove() {
    m_remove->setEnabled(!m_list->selectedItems().isEmpty());
}

void UninstallWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_opened) {
        m_opened = true;
        // Centred on the desktop when it fits; a larger window stays where it is.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect desktop = screen->geometry();
            const QSize size = frameGeometry().size();
            if (size.width() <= desktop.width() && size.height() <= desktop.height())
                move(desktop.left() + (desktop.width() - size.width()) / 2,
                     desktop.top() + (desktop.height() - size.height()) / 2);
        }
    }
    if (m_shown)
        m_shown(*this);
}

int RunUninstallWindow(SetupSupport& setup, Uninstaller& uninstaller, RunState mainProgram,
                       MessageBoxFunction ask, const std::function<void(QDialog&)>& shownObserver) {
    if (mainProgram == RunState::Running) {
        ask(nullptr, Message(setup, UninstallerString::RunningCaption,
                             UninstallerString::RunningText, MessageIcon::Warning));
        return 0;
    }
    if (mainProgram == RunState::Unknown) {
        ask(nullptr, Message(setup, UninstallerString::WindowCaption,
                             UninstallerString::RunningUnknownText, MessageIcon::Warning));
        return 0;
    }
    uninstaller.Refresh();
    if (uninstaller.Contents().empty()) {
        ask(nullptr, Message(setup, UninstallerString::NotInstalledCaption,
                             UninstallerString::NotInstalledText, MessageIcon::Information));
        return 0;
    }
    UninstallWindow window(setup, uninstaller, std::move(ask));
    window.SetShownObserver(shownObserver);
    if (RunsUnattended()) {
        QTimer::singleShot(kUnattendedClose, &window, [&window] {
            std::cerr << "tendwelluninstall: window ready" << std::endl;
            window.accept();
        });
    }
    window.exec();
    return 0;
}

} // namespace kaldo
