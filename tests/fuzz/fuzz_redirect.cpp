// The browser's request when it comes back from the consent page, and what a user pastes
// when no browser could come back.
#include "FuzzSupport.h"

#include "online/RedirectListener.h"

#include <QUrlQuery>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray head = Fuzz::bytes(data, size);
    const RedirectListener::Request r = RedirectListener::ParseRequest(head);
    if (r.valid) {
        FUZZ_CHECK(head.startsWith("GET /"));
        FUZZ_CHECK(r.path.startsWith(QLatin1Char('/')));
    } else {
        FUZZ_CHECK(r.code.isEmpty() && r.state.isEmpty() && r.error.isEmpty());
    }

    const QString state = QStringLiteral("s7");
    const QString pasted = QString::fromUtf8(head);
    const QString code = RedirectListener::CodeFromPastedText(pasted, state);
    // A code is never taken from another sign-in's address.
    const QString trimmed = pasted.trimmed();
    const qsizetype question = trimmed.indexOf(QLatin1Char('?'));
    if (question >= 0 || trimmed.startsWith(QLatin1String("code="))) {
        const QUrlQuery q(trimmed.mid(question + 1));
        const QString pastedState = q.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded);
        if (!pastedState.isEmpty() && pastedState != state)
            FUZZ_CHECK(code.isEmpty());
    } else {
        FUZZ_CHECK(code == trimmed);
    }
    return 0;
}
