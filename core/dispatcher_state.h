// State of the tablet dispatcher that outlives one message: the e-receipt
// key and switch, the print target, the last mobile settlement, the key of
// the last position list or service job, the hospitality form and the
// guest address a tablet sent.
#pragma once

#include <string>

namespace tl {

struct DispatcherState {
    long long ebon_key = 0;
    bool ebon_mode = false;
    bool print_on_terminal = false;
    long long last_settled_receipt_no = 0;
    long long last_settled_split_no = 0;
    long long current_jobid = 0;
    bool hospitality_form = false;
    int hospitality_lines = 0;
    std::string guest_street;
    std::string guest_postcode;
    std::string guest_city;
    std::string guest_phone;
    std::string guest_addition;
    std::string guest_info;
};

}  // namespace tl
