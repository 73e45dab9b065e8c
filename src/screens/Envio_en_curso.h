#pragma once
// A sending to the SMS gateway runs off the user-interface thread, so that
// the window never freezes while the gateway is slow or the list is long: a
// progress dialog stays on screen (it cannot call back a message on its way)
// and the window repaints until the sending ends.

#include <QString>
#include <functional>

class QWidget;

// Runs `envio` on a thread of its own and answers its result once it ends.
// While it runs, events are processed and the dialog with `texto` is shown
// over `padre`; whatever is touched by `envio` must stay untouched here.
int Enviar_En_Segundo_Plano(QWidget* padre, const QString& texto, const std::function<int()>& envio);

// The same for a sending to many in several requests: the dialog shows the
// recipients done of the total (`avance`, written by `envio`) and a
// "Cancelar" button that asks `envio` to stop before its next request.
struct TAvanceEnvio;
int Enviar_En_Segundo_Plano(QWidget* padre, const QString& texto, TAvanceEnvio& avance,
                            const std::function<int()>& envio);
