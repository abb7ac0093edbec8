#pragma once

// The driver block of both reservation windows: "Abonné" with the
// subscriber combo, or "Non abonné" with the name edit. The block only
// shows and reports; the window's editor decides what a choice does.

#include "databases/core/subscribers_file.h"

#include <QWidget>

#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tallimo::finances {

enum class DriverMode { Subscriber, WalkIn };

class DriverChoice final : public QWidget {
    Q_OBJECT

public:
    explicit DriverChoice(QWidget* parent = nullptr);

    // An empty first item, then "%s %s" (name, first name) of every
    // subscriber up to the first empty name.
    void fillSubscribers(const databases::SubscriberTable& subscribers);
    // Shows a booked driver without reporting anything: the subscriber
    // whose item reads "name firstName", else a walk-in with that name; a
    // kart without a driver shows `emptyMode` with nothing chosen.
    void showDriver(std::string_view name, std::string_view firstName, DriverMode emptyMode);
    // The empty item and an empty edit, the mode kept, nothing reported.
    void clearChoice();
    void setMode(DriverMode mode);
    DriverMode mode() const { return m_mode; }
    void setChoiceEnabled(bool enabled);

    QRadioButton* subscriberButton() const { return m_subscriberButton; }
    QRadioButton* walkInButton() const { return m_walkInButton; }
    QComboBox* subscriberCombo() const { return m_subscribers; }
    QLineEdit* nameEdit() const { return m_name; }

signals:
    // The operator's choices. `subscriber` indexes the subscriber table,
    // -1 is the empty item; `name` is Windows-1252.
    void modeChosen(tallimo::finances::DriverMode mode);
    void subscriberChosen(int subscriber);
    void walkInTyped(const std::string& name);

private:
    void applyMode();

    QRadioButton* m_subscriberButton;
    QRadioButton* m_walkInButton;
    QComboBox* m_subscribers;
    QLineEdit* m_name;
    DriverMode m_mode = DriverMode::Subscriber;
    // Combo item i + 1 is subscriber m_indexes[i].
    std::vector<int> m_indexes;
};

} // namespace tallimo::finances
