// The one exception of the database layer. It carries Firebird's message and
// its error codes and tells the failures a caller handles differently apart:
// a lock conflict (another program holds the row; try again later), a lost
// connection (reconnect, try again later) and everything else.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace db {

class Error : public std::runtime_error {
public:
    enum class Kind { other, lock_conflict, connection_lost };

    Error(std::string message, Kind kind = Kind::other, std::vector<long> codes = {})
        : std::runtime_error(std::move(message)), kind_(kind), codes_(std::move(codes)) {}

    Kind kind() const { return kind_; }
    bool lock_conflict() const { return kind_ == Kind::lock_conflict; }
    bool connection_lost() const { return kind_ == Kind::connection_lost; }
    // Firebird's error codes (isc_*), outermost first.
    const std::vector<long>& codes() const { return codes_; }
    bool has_code(long code) const;

private:
    Kind kind_;
    std::vector<long> codes_;
};

}  // namespace db
