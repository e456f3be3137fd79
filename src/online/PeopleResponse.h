#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

// Pages of the People API's answers: the account's contact groups and its connections, the
// latter turned into contact texts (UTF-8, every line ending in CR LF, the name first).
namespace PeopleResponse {

struct Group {
    QString name;         // as the user sees it
    QString resourceName; // "contactGroups/..."
};

struct GroupsPage {
    bool ok = false; // the answer was a JSON object
    std::vector<Group> groups;
    QString nextPageToken;
};

GroupsPage ParseGroups(const QByteArray& body);

struct ContactOptions {
    // Take addresses of type "work" rather than all the others.
    bool workAddresses = false;
    // Take Google's formatted address (US style) rather than the address parts.
    bool formatted = false;
    // Only people in this group ("contactGroups/..."); empty for everyone.
    QString groupResource;
};

struct ContactsPage {
    bool ok = false;
    std::vector<std::string> contacts;
    QString nextPageToken;
};

// One contact per matching address of a person, all with the person's name line; the name
// alone when no address matched. A person without a name gives nothing.
ContactsPage ParseConnections(const QByteArray& body, const ContactOptions& options);

} // namespace PeopleResponse
