#pragma once

#include <QObject>

#include <utility>

// Runs an event handler the way the event loop does: a conversion error (or any
// other exception) ends the handler, its message is shown, and the program goes on.
void ShowHandlerException();

template <typename Body>
void RunHandler(Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (...) {
        ShowHandlerException();
    }
}

// connect() for handlers: the slot runs inside RunHandler.
template <typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection ConnectHandler(Sender* sender, Signal signal, Receiver* receiver, Handler handler) {
    return QObject::connect(sender, signal, receiver, [receiver, handler](auto&&...) {
        RunHandler([&] { (receiver->*handler)(); });
    });
}
