// The People API's pages of contact groups and of connections. The first byte chooses the
// page kind and the options; every contact made is a name line and address lines, each
// ending in CR LF.
#include "FuzzSupport.h"

#include "online/PeopleResponse.h"
#include "platform/Text.h"

namespace {

void checkContact(const std::string& contact) {
    FUZZ_CHECK(Text::isValidUtf8(contact));
    FUZZ_CHECK(contact.ends_with("\r\n"));
    FUZZ_CHECK(contact.find("\r\n") > 0); // the name comes first and is never empty
    std::size_t at = 0;
    while (at < contact.size()) {
        const std::size_t end = contact.find("\r\n", at);
        FUZZ_CHECK(end != std::string::npos);
        FUZZ_CHECK(contact.substr(at, end - at).find_first_of("\r\n") == std::string::npos);
        at = end + 2;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t choice = data[0];
    const QByteArray body = Fuzz::bytes(data + 1, size - 1);
    if (choice & 1) {
        const PeopleResponse::GroupsPage page = PeopleResponse::ParseGroups(body);
        for (const PeopleResponse::Group& g : page.groups) {
            FUZZ_CHECK(!g.resourceName.isEmpty());
            FUZZ_CHECK(g.resourceName != QLatin1String("contactGroups/all"));
        }
        FUZZ_CHECK(page.ok || (page.groups.empty() && page.nextPageToken.isEmpty()));
        return 0;
    }
    PeopleResponse::ContactOptions options;
    options.workAddresses = choice & 2;
    options.formatted = choice & 4;
    const PeopleResponse::ContactsPage everyone = PeopleResponse::ParseConnections(body, options);
    FUZZ_CHECK(everyone.ok || everyone.contacts.empty());
    for (const std::string& contact : everyone.contacts)
        checkContact(contact);
    // A group's members are some of everyone.
    options.groupResource = QStringLiteral("contactGroups/") + QString::number(choice >> 3);
    const PeopleResponse::ContactsPage members = PeopleResponse::ParseConnections(body, options);
    FUZZ_CHECK(members.contacts.size() <= everyone.contacts.size());
    FUZZ_CHECK(members.nextPageToken == everyone.nextPageToken);
    return 0;
}
