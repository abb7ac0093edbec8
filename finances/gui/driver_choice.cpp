#include "finances/gui/driver_choice.h"

#include "common/gui/text_conversion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace tallimo::finances {
namespace {

constexpr int kWalkInNameChars = 23;

QString ItemText(std::string_view name, std::string_view firstName) {
    return common::FromCp1252(std::string(name) + " " + std::string(firstName));
}

} // namespace

DriverChoice::DriverChoice(QWidget* parent)
    : QWidget(parent), m_subscriberButton(new QRadioButton(common::FromCp1252("Abonn\xE9"), this)),
      m_walkInButton(new QRadioButton(common::FromCp1252("Non abonn\xE9"), this)),
      m_subscribers(new QComboBox(this)), m_name(new QLineEdit(this)) {
    m_subscriberButton->setObjectName(QStringLiteral("subscriberMode"));
    m_walkInButton->setObjectName(QStringLiteral("walkInMode"));
    m_subscribers->setObjectName(QStringLiteral("subscriberCombo"));
    m_name->setObjectName(QStringLiteral("walkInName"));
    m_name->setMaxLength(kWalkInNameChars);
    m_subscribers->setMinimumContentsLength(24);
    m_subscribers->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_subscriberButton, 0, 0);
    grid->addWidget(m_walkInButton, 0, 1);
    // Only one of the two is shown at a time, in the same place.
    grid->addWidget(m_subscribers, 1, 0, 1, 2);
    grid->addWidget(m_name, 1, 0, 1, 2);
    applyMode();

    auto chooseMode = [this](DriverMode mode) {
        if (mode == m_mode)
            return;
        m_mode = mode;
        applyMode();
        emit modeChosen(mode);
    };
    connect(m_subscriberButton, &QRadioButton::toggled, this, [chooseMode](bool on) {
        if (on)
            chooseMode(DriverMode::Subscriber);
    });
    connect(m_walkInButton, &QRadioButton::toggled, this, [chooseMode](bool on) {
        if (on)
            chooseMode(DriverMode::WalkIn);
    });
    connect(m_subscribers, &QComboBox::currentIndexChanged, this, [this](int item) {
        const int subscriber =
            item >= 1 && item <= static_cast<int>(m_indexes.size()) ? m_indexes[item - 1] : -1;
        emit subscriberChosen(subscriber);
    });
    connect(m_name, &QLineEdit::textEdited, this,
            [this](const QString& text) { emit walkInTyped(common::ToCp1252(text)); });
}

void DriverChoice::fillSubscribers(const databases::SubscriberTable& subscribers) {
    const QSignalBlocker blocker(m_subscribers);
    m_subscribers->clear();
    m_indexes.clear();
    m_subscribers->addItem(QString());
    for (std::size_t i = 0; i < subscribers.size() && !subscribers[i].name.empty(); ++i) {
        m_subscribers->addItem(ItemText(subscribers[i].name, subscribers[i].firstName));
        m_indexes.push_back(static_cast<int>(i));
    }
}

void DriverChoice::showDriver(std::string_view name, std::string_view firstName,
                              DriverMode emptyMode) {
    const QSignalBlocker comboBlocker(m_subscribers);
    const QSignalBlocker nameBlocker(m_name);
    m_subscribers->setCurrentIndex(0);
    m_name->clear();
    if (name.empty()) {
        m_mode = emptyMode;
    } else if (const int item = m_subscribers->findText(ItemText(name, firstName)); item > 0) {
        m_mode = DriverMode::Subscriber;
        m_subscribers->setCurrentIndex(item);
    } else {
        m_mode = DriverMode::WalkIn;
        m_name->setText(common::FromCp1252(std::string(name)));
    }
    applyMode();
}

void DriverChoice::clearChoice() {
    const QSignalBlocker comboBlocker(m_subscribers);
    const QSignalBlocker nameBlocker(m_name);
    m_subscribers->setCurrentIndex(0);
    m_name->clear();
}

void DriverChoice::setMode(DriverMode mode) {
    m_mode = mode;
    applyMode();
}

void DriverChoice::setChoiceEnabled(bool enabled) {
    m_subscriberButton->setEnabled(enabled);
    m_walkInButton->setEnabled(enabled);
    m_subscribers->setEnabled(enabled);
    m_name->setEnabled(enabled);
}

void DriverChoice::applyMode() {
    const bool subscriber = m_mode == DriverMode::Subscriber;
    {
        const QSignalBlocker first(m_subscriberButton);
        const QSignalBlocker second(m_walkInButton);
        m_subscriberButton->setChecked(subscriber);
        m_walkInButton->setChecked(!subscriber);
    }
    m_subscribers->setVisible(subscriber);
    m_name->setVisible(!subscriber);
}

} // namespace tallimo::finances
