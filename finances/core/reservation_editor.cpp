#include "finances/core/reservation_editor.h"

#include "runs/core/run_file.h"
#include "session/core/session_file.h"

#include <algorithm>

namespace tallimo::finances {
namespace {

constexpr std::size_t kWalkInNameChars = 23;

// The price the kart gets from session `s` of its row after the discount
// and free-session offers the operator accepts. The free session is paid
// at once in the single window; the group window leaves the payment alone.
struct OfferResult {
    std::int32_t price = 0;
    int loyaltyCode = session::kNoLoyaltyOffer;
    bool paidWithPoints = false;
};

OfferResult MakeOffers(const BookingData& data, int category, int s,
                       const session::SessionKart& kart, const common::DateIndex& today, bool group,
                       common::MessageSink& messages, OperatorQuestions& questions) {
    OfferResult result;
    result.price = PriceRowOf(data.prices, category)[s].price;
    if (const auto offer = BestDiscountOffer(data, category, s, result.price, kart.driverName,
                                             kart.driverFirstName, today)) {
        if (questions.ask(offer->question)) {
            result.price = offer->price;
            result.loyaltyCode = offer->event;
        }
    }
    if (const auto free =
            FreeSessionOfferFor(data, category, s, kart.driverName, kart.driverFirstName, group)) {
        if (questions.ask(free->question)) {
            result.price = 0;
            result.loyaltyCode = kFreeSessionCodeBase + free->cost;
            if (!group) {
                messages.show(kBookingCaption, free->remainingMessage);
                result.paidWithPoints = true;
            }
        }
    }
    return result;
}

bool ValidCategory(int category) {
    return category >= 0 && category < session::kCategoryCount;
}

} // namespace

bool LoadReservationFiles(const common::WorkingFolder& folder, ReservationFiles& files,
                          common::MessageSink& messages) {
    bool loaded = LoadBookingData(folder, files.data, messages);
    session::ClearSession(files.session);
    files.sessionLoaded = session::LoadSessionFile(folder, files.session, files.header);
    if (!files.sessionLoaded) {
        messages.show(session::kSessionFileErrorCaption, session::kSessionFileErrorText);
        loaded = false;
    }
    return loaded;
}

std::optional<KartPlace> FindKartByLabel(const session::RentalSession& session,
                                         std::string_view label) {
    std::optional<KartPlace> found;
    for (int category = 0; category < session::kCategoryCount; ++category) {
        for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
            if (session.kart(category, slot).kartLabel == label)
                found = KartPlace{category, slot};
        }
    }
    return found;
}

ReservationEditor::ReservationEditor(BookingData& data, session::RentalSession& session,
                                     int category, int slot, const common::DateIndex& today,
                                     common::MessageSink& messages, OperatorQuestions& questions)
    : m_data(data), m_sessionData(session), m_category(ValidCategory(category) ? category : 0),
      m_slot(std::clamp(slot, 0, session::kKartsPerCategory - 1)), m_today(today),
      m_messages(messages), m_questions(questions) {
    m_session = SessionIndexOf(PriceRowOf(m_data.prices, m_category), kart().durationMinutes);
}

void ReservationEditor::clearBooking() {
    session::SessionKart& k = kart();
    m_session = -1;
    k.durationMinutes = 0;
    k.price = 0;
    k.loyaltyCode = session::kNoLoyaltyOffer;
    k.paid = 0;
}

void ReservationEditor::chooseSubscriber(int subscriber) {
    session::SessionKart& k = kart();
    if (subscriber >= 0 && subscriber < databases::CountSubscribers(m_data.subscribers)) {
        k.driverName = m_data.subscribers[subscriber].name.substr(0, session::kDriverNameChars);
        k.driverFirstName =
            m_data.subscribers[subscriber].firstName.substr(0, session::kDriverFirstNameChars);
    } else {
        k.driverName.clear();
        k.driverFirstName.clear();
    }
    clearBooking();
    for (const std::string& text :
         SubscriberChosenMessages(m_data, k.driverName, k.driverFirstName, m_today))
        m_messages.show(kBookingCaption, text);
}

void ReservationEditor::typeWalkInName(std::string_view name) {
    session::SessionKart& k = kart();
    k.driverName = std::string(name.substr(0, kWalkInNameChars));
    k.driverFirstName.clear();
    clearBooking();
}

bool ReservationEditor::chooseDuration(int s) {
    session::SessionKart& k = kart();
    k.paid = 0;
    if (k.driverName.empty()) {
        m_session = -1;
        m_messages.show(kBookingCaption, kNoDriverText);
        return false;
    }
    const PriceRow& row = PriceRowOf(m_data.prices, m_category);
    if (s < 0 || s >= UsedSessionCount(row))
        return false;
    m_session = s;
    k.durationMinutes = row[s].durationMinutes;
    const OfferResult offer =
        MakeOffers(m_data, m_category, s, k, m_today, false, m_messages, m_questions);
    k.price = offer.price;
    k.loyaltyCode = offer.loyaltyCode;
    if (offer.paidWithPoints)
        k.paid = 1;
    return true;
}

void ReservationEditor::setPrice(std::int32_t price) {
    kart().price = price;
}

void ReservationEditor::setPaid(bool paid) {
    kart().paid = paid ? 1 : 0;
}

bool ReservationEditor::freeKart() {
    if (!m_questions.ask(kFreeKartQuestion))
        return false;
    session::SessionKart& k = kart();
    FreeingOutcome outcome = ApplyFreeing(m_data, m_category, k);
    if (outcome.run)
        m_keptRun = std::move(outcome.run);
    for (const std::string& text : outcome.messages)
        m_messages.show(kBookingCaption, text);
    m_balancesChanged = m_balancesChanged || outcome.balancesChanged;
    k.driverName.clear();
    k.driverFirstName.clear();
    if (m_category == session::kPrivateCategoryIndex)
        k.transponder.clear();
    clearBooking();
    return true;
}

bool ReservationEditor::confirm(const common::WorkingFolder& folder,
                                const session::SessionHeader& header,
                                const common::LocalDateTime& now) {
    bool saved = true;
    if (!session::SaveSessionFile(folder, m_sessionData, header)) {
        m_messages.show(session::kSessionFileErrorCaption, session::kSessionFileErrorText);
        saved = false;
    }
    if (m_keptRun) {
        const runs::RunWhen when{now.year, now.month, now.day, now.hour, now.minute, now.second};
        const runs::RunDetails details{m_sessionData.categories[m_category].categoryName,
                                       header.trackName, when};
        const runs::SaveRunOutcome outcome =
            runs::SaveRun(folder, *m_keptRun, runs::RunTitle(when), details, m_messages);
        saved = saved && outcome != runs::SaveRunOutcome::FileNotFound;
    }
    if (m_balancesChanged)
        saved = SaveBalancesDatabase(folder, m_data.balances, m_messages) && saved;
    return saved;
}

GroupReservation::GroupReservation(BookingData& data, session::RentalSession& session, int category,
                                   const common::DateIndex& today, common::MessageSink& messages,
                                   OperatorQuestions& questions)
    : m_data(data), m_sessionData(session), m_category(ValidCategory(category) ? category : 0),
      m_today(today), m_messages(messages), m_questions(questions) {}

bool GroupReservation::isFreeKart(int slot) const {
    return slot >= 0 && slot < session::kKartsPerCategory &&
           m_sessionData.kart(m_category, slot).trackState == session::TrackState::Free;
}

int GroupReservation::driversBooked() const {
    int count = 0;
    for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
        if (isFreeKart(slot) && !m_sessionData.kart(m_category, slot).driverName.empty())
            ++count;
    }
    return count;
}

bool GroupReservation::chooseDuration(int s) {
    const PriceRow& row = PriceRowOf(m_data.prices, m_category);
    if (s < 0 || s >= UsedSessionCount(row))
        return false;
    m_session = s;
    for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
        if (!isFreeKart(slot))
            continue;
        session::SessionKart& k = kartAt(slot);
        k.driverName.clear();
        k.driverFirstName.clear();
        k.spareText.clear();
        k.durationMinutes = 0;
        k.price = 0;
        k.loyaltyCode = session::kNoLoyaltyOffer;
        k.paid = 0;
    }
    m_groupPrice.fill(0);
    m_normalPrice.fill(0);
    m_normalTotal = m_discountedTotal = m_amountToPay = 0;
    m_slot = -1;
    m_heldName.clear();
    m_heldFirstName.clear();
    return true;
}

bool GroupReservation::chooseKart(int slot) {
    m_slot = -1;
    // The combo's empty item is no kart: going back to it is silent.
    if (!isFreeKart(slot))
        return false;
    if (m_session < 0) {
        m_messages.show(kBookingCaption, kNoDurationText);
        return false;
    }
    m_slot = slot;
    session::SessionKart& k = kartAt(slot);
    if (m_category != session::kPrivateCategoryIndex && k.transponder.empty())
        databases::FindFleetTransponder(m_data.categories, k.kartLabel, k.transponder);
    return true;
}

void GroupReservation::typeTransponder(std::string_view digits) {
    if (m_slot < 0 || !isFreeKart(m_slot))
        return;
    if (databases::IsStorableTransponder(digits))
        kartAt(m_slot).transponder = std::string(digits);
}

void GroupReservation::holdDriver(std::string_view name, std::string_view firstName) {
    m_heldName = std::string(name.substr(0, session::kDriverNameChars));
    m_heldFirstName = std::string(firstName.substr(0, session::kDriverFirstNameChars));
}

void GroupReservation::holdSubscriber(int subscriber) {
    if (subscriber < 0 || subscriber >= databases::CountSubscribers(m_data.subscribers)) {
        holdDriver({}, {});
        return;
    }
    const databases::Subscriber& chosen = m_data.subscribers[subscriber];
    holdDriver(chosen.name, chosen.firstName);
    for (const std::string& text :
         SubscriberChosenMessages(m_data, m_heldName, m_heldFirstName, m_today))
        m_messages.show(kBookingCaption, text);
}

bool GroupReservation::add() {
    if (m_session < 0) {
        m_messages.show(kBookingCaption, kNoDurationText);
        return false;
    }
    if (m_slot < 0 || !isFreeKart(m_slot)) {
        m_messages.show(kBookingCaption, kNoKartText);
        return false;
    }
    session::SessionKart& k = kartAt(m_slot);
    const bool hadDriver = !k.driverName.empty();
    if (!hadDriver && driversBooked() >= kMaxGroupDrivers)
        return false;
    if (hadDriver) {
        m_normalTotal -= m_normalPrice[m_slot];
        m_discountedTotal -= m_groupPrice[m_slot];
    }
    k.driverName = m_heldName;
    k.driverFirstName = m_heldFirstName;
    // A driver taken off leaves no offer behind: a free session's code
    // would otherwise cost the points of a run nobody drove.
    k.loyaltyCode = session::kNoLoyaltyOffer;
    if (k.driverName.empty()) {
        k.durationMinutes = 0;
        k.price = 0;
        k.paid = 0;
        m_normalPrice[m_slot] = 0;
        m_groupPrice[m_slot] = 0;
    } else {
        const SessionPrice& entry = PriceRowOf(m_data.prices, m_category)[m_session];
        k.durationMinutes = entry.durationMinutes;
        m_normalPrice[m_slot] = entry.price;
        m_normalTotal += entry.price;
        const OfferResult offer =
            MakeOffers(m_data, m_category, m_session, k, m_today, true, m_messages, m_questions);
        k.price = offer.price;
        k.loyaltyCode = offer.loyaltyCode;
        m_groupPrice[m_slot] = k.price;
        m_discountedTotal += k.price;
    }
    // Prices cut by an earlier "Total à payer" would otherwise no longer
    // add up to the amount shown.
    setAmountToPay(m_discountedTotal);
    return true;
}

void GroupReservation::setAmountToPay(std::int64_t amount) {
    m_amountToPay = std::clamp<std::int64_t>(amount, 0, kMaxAmountToPay);
    std::vector<int> booked;
    std::vector<std::int32_t> prices;
    for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
        if (isFreeKart(slot) && !kartAt(slot).driverName.empty()) {
            booked.push_back(slot);
            prices.push_back(m_groupPrice[slot]);
        }
    }
    prices = RedistributeTotal(prices, m_amountToPay);
    for (std::size_t i = 0; i < booked.size(); ++i)
        kartAt(booked[i]).price = prices[i];
}

void GroupReservation::setPaid(bool paid) {
    for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
        if (isFreeKart(slot) && !kartAt(slot).driverName.empty())
            kartAt(slot).paid = paid ? 1 : 0;
    }
}

bool GroupReservation::confirm(const common::WorkingFolder& folder,
                               const session::SessionHeader& header) {
    if (session::SaveSessionFile(folder, m_sessionData, header))
        return true;
    m_messages.show(session::kSessionFileErrorCaption, session::kSessionFileErrorText);
    return false;
}

} // namespace tallimo::finances
