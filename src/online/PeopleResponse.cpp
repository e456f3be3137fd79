#include "online/PeopleResponse.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <optional>

namespace {

std::optional<QJsonObject> object(const QByteArray& body) {
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!doc.isObject())
        return std::nullopt;
    return doc.object();
}

QStringList lines(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

void appendLines(std::string& out, const QJsonObject& address, const char* key) {
    const QJsonValue v = address.value(QLatin1String(key));
    if (!v.isString())
        return;
    for (const QString& line : lines(v.toString()))
        out += line.toStdString() + "\r\n";
}

// The primary name's display name, else the first one's.
QString displayName(const QJsonObject& person) {
    const QJsonArray names = person.value(QLatin1String("names")).toArray();
    QJsonObject chosen = names.isEmpty() ? QJsonObject() : names.first().toObject();
    for (const QJsonValue& n : names) {
        const QJsonObject o = n.toObject();
        if (o.value(QLatin1String("metadata"))
                .toObject()
                .value(QLatin1String("primary"))
                .toBool()) {
            chosen = o;
            break;
        }
    }
    // The name is one line of the contact, whatever it holds.
    return lines(chosen.value(QLatin1String("displayName")).toString()).join(QLatin1Char(' '));
}

bool isMember(const QJsonObject& person, const QString& group) {
    for (const QJsonValue& m : person.value(QLatin1String("memberships")).toArray()) {
        const QJsonObject g =
            m.toObject().value(QLatin1String("contactGroupMembership")).toObject();
        if (g.value(QLatin1String("contactGroupResourceName")).toString() == group)
            return true;
        const QString id = g.value(QLatin1String("contactGroupId")).toString();
        if (!id.isEmpty() && QStringLiteral("contactGroups/") + id == group)
            return true;
    }
    return false;
}

} // namespace

PeopleResponse::GroupsPage PeopleResponse::ParseGroups(const QByteArray& body) {
    GroupsPage page;
    const auto o = object(body);
    if (!o)
        return page;
    page.ok = true;
    for (const QJsonValue& v : o->value(QLatin1String("contactGroups")).toArray()) {
        const QJsonObject g = v.toObject();
        Group group;
        group.resourceName = g.value(QLatin1String("resourceName")).toString();
        // System groups carry their name for people in formattedName.
        group.name = g.value(QLatin1String("formattedName")).toString();
        if (group.name.isEmpty())
            group.name = g.value(QLatin1String("name")).toString();
        // Google's own bookkeeping groups are no choice to offer: "all" would sit beside
        // "All contacts", and nobody prints labels for blocked people.
        static const QStringList hidden = {QStringLiteral("contactGroups/all"),
                                           QStringLiteral("contactGroups/blocked"),
                                           QStringLiteral("contactGroups/chatBuddies")};
        if (!group.resourceName.isEmpty() && !hidden.contains(group.resourceName))
            page.groups.push_back(std::move(group));
    }
    page.nextPageToken = o->value(QLatin1String("nextPageToken")).toString();
    return page;
}

PeopleResponse::ContactsPage PeopleResponse::ParseConnections(const QByteArray& body,
                                                              const ContactOptions& options) {
    ContactsPage page;
    const auto o = object(body);
    if (!o)
        return page;
    page.ok = true;
    for (const QJsonValue& v : o->value(QLatin1String("connections")).toArray()) {
        const QJsonObject person = v.toObject();
        if (!options.groupResource.isEmpty() && !isMember(person, options.groupResource))
            continue;
        const QString name = displayName(person);
        if (name.isEmpty())
            continue;
        const std::string nameLine = name.toStdString() + "\r\n";
        bool added = false;
        for (const QJsonValue& a : person.value(QLatin1String("addresses")).toArray()) {
            if (!a.isObject())
                continue;
            const QJsonObject address = a.toObject();
            const bool work =
                address.value(QLatin1String("type")).toString() == QLatin1String("work");
            if (work != options.workAddresses)
                continue;
            std::string contact = nameLine;
            if (options.formatted) {
                appendLines(contact, address, "formattedValue");
            } else {
                for (const char* key : {"streetAddress", "extendedAddress", "city", "region",
                                        "postalCode", "poBox", "country"})
                    appendLines(contact, address, key);
            }
            page.contacts.push_back(std::move(contact));
            added = true;
        }
        if (!added)
            page.contacts.push_back(nameLine);
    }
    page.nextPageToken = o->value(QLatin1String("nextPageToken")).toString();
    return page;
}
