// The token endpoint's answers to a code exchange or a refresh.
#include "FuzzSupport.h"

#include "online/TokenResponse.h"

#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray body = Fuzz::bytes(data, size);
    const TokenResponse t = TokenResponse::Parse(body);
    FUZZ_CHECK(t.expiresIn >= 0 && t.expiresIn < 1'000'000'000'000);
    if (!QJsonDocument::fromJson(body).isObject()) {
        FUZZ_CHECK(t.accessToken.isEmpty() && t.refreshToken.isEmpty() && t.tokenType.isEmpty());
        FUZZ_CHECK(t.error.isEmpty() && t.expiresIn == 0);
    }
    return 0;
}
