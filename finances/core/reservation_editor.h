#pragma once

// Headless editors behind the two reservation windows. Each works on the
// window's own copy of the rental session and on the tables loaded when the
// window opened (`BookingData`), both owned by the caller and outliving the
// editor. The operator's answers come through `OperatorQuestions`, the
// information through `MessageSink` (caption "Tallimo"). Nothing reaches the
// disk before `confirm`; dropping the editor is "Echap". Loyalty balances
// change in `BookingData` only when a finished run is freed.

#include "common/core/date_index.h"
#include "common/core/local_clock.h"
#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "finances/core/booking_rules.h"
#include "runs/core/driver_run.h"
#include "session/core/rental_session.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallimo::finances {

// Yes/No questions to the operator (caption "Tallimo"); true for Yes.
class OperatorQuestions {
public:
    virtual ~OperatorQuestions() = default;
    virtual bool ask(const std::string& text) = 0;
};

inline const char* const kNoDriverText =
    "Aucun pilote n'a pour l'instant \xE9t\xE9 s\xE9lectionn\xE9 !";
inline const char* const kNoDurationText = "Aucune dur\xE9"
                                           "e de s\xE9"
                                           "ance n'a \xE9t\xE9 s\xE9lectionn\xE9"
                                           "e !";
inline const char* const kNoKartText = "Aucun kart n'a \xE9t\xE9 s\xE9lectionn\xE9 !";
inline const char* const kFreeKartQuestion = "Souhaitez-vous lib\xE9rer la kart ?";

constexpr int kMaxGroupDrivers = 10;

// Where a kart sits in the session.
struct KartPlace {
    int category = 0;
    int slot = 0;
};

// The kart the single window opens on: the slot whose label is `label`,
// over the six categories; the last match wins.
std::optional<KartPlace> FindKartByLabel(const session::RentalSession& session,
                                         std::string_view label);
constexpr std::int64_t kMaxAmountToPay = 9999999; // seven digits

// What a reservation window holds once it has opened: the tables and its
// own copy of the session.
struct ReservationFiles {
    BookingData data;
    session::RentalSession session;
    session::SessionHeader header;
    // Without it "Ok" has no session to write back: writing the cleared one
    // would empty the main window's session when it reloads the file.
    bool sessionLoaded = false;
};

// The windows' loading, in their order: the tables of `LoadBookingData`,
// then "Private/Session.rent", each missing file reported in turn with its
// table left cleared. False when any failed.
bool LoadReservationFiles(const common::WorkingFolder& folder, ReservationFiles& files,
                          common::MessageSink& messages);

// The single reservation window: one kart.
class ReservationEditor {
public:
    ReservationEditor(BookingData& data, session::RentalSession& session, int category, int slot,
                      const common::DateIndex& today, common::MessageSink& messages,
                      OperatorQuestions& questions);

    // The subscriber combo: `subscriber` indexes the subscribers, -1 is the
    // empty item. The booking is cleared and the greetings are shown.
    void chooseSubscriber(int subscriber);
    // The walk-in name edit (at most 23 characters typed).
    void typeWalkInName(std::string_view name);
    // The duration combo: the position among the row's offered durations.
    // False when refused (no driver, or no such duration).
    bool chooseDuration(int session);
    void setPrice(std::int32_t price);
    void setPaid(bool paid);
    // "Libérer le kart", after the operator's Yes. True when freed.
    bool freeKart();

    // "Ok": the session file, the freed run, the changed balances; each
    // failure is reported. False when any failed.
    bool confirm(const common::WorkingFolder& folder, const session::SessionHeader& header,
                 const common::LocalDateTime& now);

    int selectedSession() const { return m_session; }
    const std::optional<runs::DriverRun>& keptRun() const { return m_keptRun; }
    bool balancesChanged() const { return m_balancesChanged; }
    session::SessionKart& kart() { return m_sessionData.kart(m_category, m_slot); }

private:
    void clearBooking();

    BookingData& m_data;
    session::RentalSession& m_sessionData;
    int m_category;
    int m_slot;
    common::DateIndex m_today;
    common::MessageSink& m_messages;
    OperatorQuestions& m_questions;
    int m_session = -1;
    std::optional<runs::DriverRun> m_keptRun;
    bool m_balancesChanged = false;
};

// The group reservation window: the free karts of one category, one
// duration, one payment.
class GroupReservation {
public:
    GroupReservation(BookingData& data, session::RentalSession& session, int category,
                     const common::DateIndex& today, common::MessageSink& messages,
                     OperatorQuestions& questions);

    // Clears every free kart's booking and the totals.
    bool chooseDuration(int session);
    // Selects a free kart of the category; its fleet transponder is copied
    // in when it has none. False when refused (without a word for a slot
    // that is no free kart); no kart is selected then, so "Ajouter" cannot
    // land on a kart the operator moved away from.
    bool chooseKart(int slot);
    // The transponder edit of the selected kart: taken when it holds no
    // digit or all six, so a number half typed never reaches the session.
    void typeTransponder(std::string_view digits);
    // The driver held aside until `add` (a walk-in has no first name).
    void holdDriver(std::string_view name, std::string_view firstName);
    // The subscriber combo (-1 the empty item): holds that subscriber and
    // shows the same greetings as the single window.
    void holdSubscriber(int subscriber);
    // "Ajouter". False when refused. The amount to pay becomes the
    // discounted total again, every booked kart back at its group price.
    bool add();
    // "Total à payer" typed by the operator.
    void setAmountToPay(std::int64_t amount);
    void setPaid(bool paid);
    // "Ok": the session file, its failure reported. False when it failed.
    bool confirm(const common::WorkingFolder& folder, const session::SessionHeader& header);

    std::int64_t normalTotal() const { return m_normalTotal; }
    std::int64_t discountedTotal() const { return m_discountedTotal; }
    std::int64_t amountToPay() const { return m_amountToPay; }
    std::int32_t groupPrice(int slot) const { return m_groupPrice[slot]; }
    int selectedKart() const { return m_slot; }
    bool isFreeKart(int slot) const;
    int driversBooked() const;

private:
    session::SessionKart& kartAt(int slot) { return m_sessionData.kart(m_category, slot); }

    BookingData& m_data;
    session::RentalSession& m_sessionData;
    int m_category;
    common::DateIndex m_today;
    common::MessageSink& m_messages;
    OperatorQuestions& m_questions;
    int m_session = -1;
    int m_slot = -1;
    std::string m_heldName;
    std::string m_heldFirstName;
    std::array<std::int32_t, session::kKartsPerCategory> m_groupPrice{};
    std::array<std::int32_t, session::kKartsPerCategory> m_normalPrice{};
    std::int64_t m_normalTotal = 0;
    std::int64_t m_discountedTotal = 0;
    std::int64_t m_amountToPay = 0;
};

} // namespace tallimo::finances
