// Connecting a control's signal to a handler that may raise a run-time error.
// NOTE: Qt's widget library is built without exception support: an error thrown from a
// handler called by a button or a scroll bar would unwind through its frames without
// running their destructors (leaks, a button left pressed). relie() stops the error in
// the handler itself, shows it in the error box, and the program goes on.
#pragma once
#include "platform/erreurs.h"
#include <QObject>
#include <functional>
#include <type_traits>

namespace fantrel::platform {

// gestionnaire: a member function of recepteur or any callable, taking the signal's
// arguments or none (handlers usually read their control themselves).
template<typename Emetteur, typename Signal, typename Recepteur, typename Gestionnaire>
QMetaObject::Connection relie(const Emetteur *emetteur, Signal signal, Recepteur *recepteur,
                              Gestionnaire gestionnaire)
{
    return QObject::connect(
            emetteur, signal, recepteur, [recepteur, gestionnaire](const auto &...arguments) {
                proteger([&] {
                    if constexpr (std::is_invocable_v<Gestionnaire, Recepteur *,
                                                      decltype(arguments)...>)
                        std::invoke(gestionnaire, recepteur, arguments...);
                    else if constexpr (std::is_invocable_v<Gestionnaire, Recepteur *>)
                        std::invoke(gestionnaire, recepteur);
                    else if constexpr (std::is_invocable_v<Gestionnaire, decltype(arguments)...>)
                        std::invoke(gestionnaire, arguments...);
                    else
                        std::invoke(gestionnaire);
                });
            });
}

} // namespace fantrel::platform
