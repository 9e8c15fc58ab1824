#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Proposal files of the proposal program, built from the written layout: the
// eleven-value head (seven more values when the number holds no "FP"), then lines
// this program never reads.
namespace fixture {

struct ProposalHead
{
    QByteArray number = "P1001";
    QByteArray amount = "1234.5"; // bare, as the proposal program writes it
    QByteArray created = "12/1/2026";
    QByteArray account = "LEE100";
    QByteArray name = "Ann Lee";
    QByteArray address1 = "12 Elm St";
    QByteArray address2 = "Suite 4";
    QByteArray state = "IL";
    QByteArray city = "Springfield";
    QByteArray postal = "62701";
    QByteArray telephone = "217-555-0100";
};

inline QByteArray quoted(const QByteArray &text)
{
    return '"' + text + '"';
}

inline QByteArray proposalBytes(const ProposalHead &head, const QByteArray &rest = {})
{
    QByteArray bytes = quoted(head.number) + ',' + head.amount + ',' + quoted(head.created) + ',' +
                       quoted(head.account) + ',' + quoted(head.name) + "\r\n" +
                       quoted(head.address1) + ',' + quoted(head.address2) + ',' +
                       quoted(head.state) + ',' + quoted(head.city) + ',' + quoted(head.postal) +
                       ',' + quoted(head.telephone) + "\r\n";
    if (!head.number.contains("FP"))
        bytes += "\"Net 30\",\"Job site\",#TRUE#,0,15,\"J. Smith\",\"Phase 1\"\r\n";
    bytes += rest;
    return bytes;
}

} // namespace fixture
