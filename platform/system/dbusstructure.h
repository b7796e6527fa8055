#pragma once

// Header only, for the libraries that link Qt D-Bus: a structure sent as its members in order.
// A type lists its members once, in members(self), and both directions follow that list.

#include <QDBusArgument>
#include <tuple>

namespace platform::dbus {

template <typename T>
concept Structure = requires(T &value)
{
    T::members(value);
};

template <Structure T> QDBusArgument &operator<<(QDBusArgument &argument, const T &value)
{
    argument.beginStructure();
    std::apply([&](const auto &...member) { ((argument << member), ...); }, T::members(value));
    argument.endStructure();
    return argument;
}

template <Structure T> const QDBusArgument &operator>>(const QDBusArgument &argument, T &value)
{
    argument.beginStructure();
    std::apply([&](auto &...member) { ((argument >> member), ...); }, T::members(value));
    argument.endStructure();
    return argument;
}

} // namespace platform::dbus
