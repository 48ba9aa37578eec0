#pragma once
// The logged-on user: the name of the effective user id and its initials.

#include <string>
#include <string_view>

namespace corvane {

// The user name of the effective user id, from the password database. Raises EOSError
// when the id has no entry there.
std::u16string Registry_Current_User();
// The first two upper-case letters of the user's name, in order (fewer when it has fewer):
// "JohnDoe" gives "JD", "jdoe" gives "".
std::u16string Registry_Current_User_Initials();

namespace detail {
// The initials rule on a given name.
std::u16string initials_of(std::u16string_view name);
}  // namespace detail

}  // namespace corvane
