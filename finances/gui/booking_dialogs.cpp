#include "finances/gui/booking_dialogs.h"

#include "finances/core/booking_rules.h"

namespace tallimo::finances {

void BookingDialogs::show(const std::string& caption, const std::string& text) {
    m_dialogs.inform(m_parent, caption, text,
                     caption == "Error" ? common::DialogIcon::Stop
                                        : common::DialogIcon::Exclamation);
}

bool BookingDialogs::ask(const std::string& text) {
    // Freeing ends the booking for good, so its question warns.
    const common::DialogIcon icon =
        text == kFreeKartQuestion ? common::DialogIcon::Exclamation : common::DialogIcon::Question;
    return m_dialogs.ask(m_parent, kBookingCaption, text, icon, common::DialogButtons::YesNo) ==
           common::DialogAnswer::Yes;
}

} // namespace tallimo::finances
