#!/usr/bin/env python3
"""Writes sample_data.sql: a small library's catalogue, members, loans, reservations and blacklist.

Dates are relative to the day the SQL is loaded (CURDATE() and NOW() minus or plus days), so a
database loaded on any day has some loans overdue, some due soon, some members expired.
Run: sql/sample_data.py > sql/sample_data.sql
"""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
rng = random.Random(2005)

MEMBERS = [
    # surname, first name, street, town, expires in days (negative: expired)
    ("Van der Merwe", "Anna", "14 Kerkstraat", "Stellenbosch", 400),
    ("Naidoo", "Priya", "7 Jacaranda Avenue", "Durbanville", 250),
    ("Botha", "Pieter", "22 Dorpstraat", "Paarl", 300),
    ("Dlamini", "Sipho", "109 Main Road", "Kuils River", 180),
    ("Smith", "Rachel", "3 Oak Lane", "Somerset West", 90),
    ("Jacobs", "Fatima", "56 Voortrekker Road", "Bellville", 365),
    ("Nel", "Johan", "8 Bosmanstraat", "Wellington", 45),
    ("Mokoena", "Thandi", "41 Protea Street", "Brackenfell", 500),
    ("Fourie", "Elmarie", "17 Eikestraat", "Stellenbosch", 210),
    ("Pillay", "Kevin", "5 Marine Drive", "Strand", 120),
    ("Du Plessis", "Hendrik", "72 Langstraat", "Malmesbury", -30),
    ("Williams", "Chantal", "12 Hope Street", "Gordon's Bay", 330),
    ("Khumalo", "Bongani", "9 Acacia Close", "Kraaifontein", 200),
    ("Joubert", "Marike", "31 Dennestraat", "Franschhoek", -120),
    ("Adams", "Yusuf", "88 Klipfontein Road", "Athlone", 60),
    ("Venter", "Christo", "4 Rivierstraat", "Worcester", 270),
    ("Petersen", "Lynn", "19 Vygie Street", "Kuils River", 150),
    ("Mahlangu", "Lerato", "63 Sunbird Drive", "Durbanville", 420),
    ("Steyn", "Riaan", "2 Kloofstraat", "Paarl", -5),
    ("Coetzee", "Annelie", "47 Hoofweg", "Stellenbosch", 310),
    ("Govender", "Ashwin", "15 Palm Grove", "Bellville", 85),
    ("Kruger", "Wilna", "26 Murraystraat", "Wellington", 230),
    ("Hendricks", "Gavin", "11 Disa Road", "Mitchells Plain", 140),
    ("Ndlovu", "Zanele", "38 Baobab Crescent", "Brackenfell", 390),
    ("Olivier", "Frans", "6 Pastoriestraat", "Tulbagh", -400),
    ("Meyer", "Carla", "53 Uniestraat", "Somerset West", 175),
    ("Abrahams", "Nadia", "20 Rosmead Avenue", "Claremont", 260),
    ("Le Roux", "Deon", "9 Bergstraat", "Stellenbosch", 35),
    ("Mthembu", "Sibusiso", "77 Station Road", "Kraaifontein", 320),
    ("Swanepoel", "Ilse", "13 Kerkplein", "Paarl", 205),
    ("Daniels", "Shireen", "24 Lavender Street", "Bellville", 110),
    ("Visser", "Gert", "1 Plein Street", "Malmesbury", 95),
    ("Moodley", "Vanessa", "40 Coral Road", "Strand", -60),
    ("Pretorius", "Lizelle", "28 Andringastraat", "Stellenbosch", 455),
    ("Sithole", "Mandla", "16 Ixia Close", "Durbanville", 190),
    ("Erasmus", "Koos", "35 Boomstraat", "Worcester", 240),
    ("Isaacs", "Rashieda", "70 Belgravia Road", "Athlone", 300),
    ("Potgieter", "Sonja", "18 Vredenburgweg", "Paarl", 15),
    ("Marais", "Eben", "44 Mosterdsteeg", "Stellenbosch", 380),
    ("Cloete", "Jolene", "3 Fynbos Way", "Gordon's Bay", 280),
]
PASSWORDS = ["boekwurm", "leesmaar", "fynbos", "protea", "bladsy", "storie", "kaapstad", "letters"]
# Members barred from borrowing, with the reason the staff recorded.
BLACKLISTED = {13: ("Three books lost and the replacement costs not paid.", 75),
               25: ("Damaged two books beyond repair and refused to pay.", 400)}


def sql_text(value):
    return "'" + value.replace("\\", "\\\\").replace("'", "''") + "'"


def isbn13(n):
    """A well-formed ISBN-13 (978-0 group) with its check digit."""
    digits = "9780" + "%08d" % n
    total = sum(int(d) * (1 if i % 2 == 0 else 3) for i, d in enumerate(digits))
    return digits + str((10 - total % 10) % 10)


def read_books():
    books = []
    with open(os.path.join(HERE, "sample_data_books.txt"), encoding="ascii") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                author, title, dewey, price = line.rstrip("\n").split("|")
                books.append((author, title, int(dewey), price))
    return books


def book_rows(books):
    rows = []
    used = set()
    for i, (author, title, dewey, price) in enumerate(books, start=1):
        n = rng.randrange(10000000, 99999999)
        while n in used:
            n = rng.randrange(10000000, 99999999)
        used.add(n)
        condition = rng.choice([10, 9, 9, 8, 8, 8, 7, 7, 6, 5, 4, 3, 2, 1])
        added = rng.randrange(30, 2500)
        rows.append("(%d, %s, %s, '%s', %d, %s, %d, NOW() - INTERVAL %d DAY)"
                    % (i, sql_text(author), sql_text(title), isbn13(n), dewey, price, condition, added))
    return rows


def member_rows():
    rows = []
    for i, (surname, first, street, town, expires) in enumerate(MEMBERS, start=1):
        joined = rng.randrange(100, 2000)
        balance = rng.choice([0, 0, 0, 0, 5, 10, 20, 35, 50])
        phone = "0%d %03d %04d" % (rng.choice([21, 82, 83, 72, 84]), rng.randrange(100, 999), rng.randrange(0, 9999))
        rows.append("(%d, %s, %s, %s, %s, %s, NOW() - INTERVAL %d DAY, CURDATE() + INTERVAL %d DAY, %d)"
                    % (i, sql_text(PASSWORDS[i % len(PASSWORDS)]), sql_text(surname), sql_text(first),
                       sql_text(street + ", " + town), sql_text(phone), joined, expires, balance))
    return rows


def may_borrow(member):
    return MEMBERS[member - 1][4] > 0 and member not in BLACKLISTED


def loans(book_count):
    """Open loans (some overdue) and returned ones; no book is out twice."""
    rows = []
    out = {}
    books = list(range(1, book_count + 1))
    rng.shuffle(books)
    loan_id = 1
    # returned loans, spread over the past year
    for book in books[:90]:
        member = rng.randrange(1, len(MEMBERS) + 1)
        start = rng.randrange(45, 400)
        kept = rng.randrange(2, 19)
        rows.append("(%d, %d, %d, NOW() - INTERVAL %d DAY, CURDATE() - INTERVAL %d DAY, NOW() - INTERVAL %d DAY)"
                    % (loan_id, member, book, start, start - 14, start - kept))
        loan_id += 1
    # open loans: out for up to 40 days on a 14-day period, so the older ones are overdue
    for book in books[60:105]:
        member = rng.randrange(1, len(MEMBERS) + 1)
        while not may_borrow(member):
            member = rng.randrange(1, len(MEMBERS) + 1)
        start = rng.randrange(0, 40)
        rows.append("(%d, %d, %d, NOW() - INTERVAL %d DAY, CURDATE() + INTERVAL %d DAY, '0000-00-00')"
                    % (loan_id, member, book, start, 14 - start))
        out[book] = member
        loan_id += 1
    # the blacklisted members still hold a book each, long overdue
    for member, (_, days) in sorted(BLACKLISTED.items()):
        book = books[120 + member]
        rows.append("(%d, %d, %d, NOW() - INTERVAL %d DAY, CURDATE() - INTERVAL %d DAY, '0000-00-00')"
                    % (loan_id, member, book, days + 60, days + 46))
        out[book] = member
        loan_id += 1
    return rows, out


def reservations(out):
    """Members waiting for books that are out; a few books have more than one member waiting."""
    rows = []
    taken = sorted(out)
    rng.shuffle(taken)
    rid = 1
    for n, book in enumerate(taken[:14]):
        waiting = 2 if n < 4 else 1
        members = []
        while len(members) < waiting:
            member = rng.randrange(1, len(MEMBERS) + 1)
            if member != out[book] and may_borrow(member) and member not in members:
                members.append(member)
        for member in members:
            rows.append("(%d, %d, %d, NOW() - INTERVAL %d DAY)" % (rid, member, book, 20 - rid))
            rid += 1
    return rows


def insert(table, columns, rows):
    return "INSERT INTO %s (%s) VALUES\n%s;\n" % (table, columns, ",\n".join(rows))


def main():
    books = read_books()
    loan_rows, out = loans(len(books))
    print("-- Sample data of a small library, written by sample_data.py; dates are relative to the day of loading.")
    print(insert("BOOK", "id, author, title, isbn, dewey, price, _condition, addDate", book_rows(books)))
    print(insert("MEMBER", "id, password, surname, firstName, address, contactNo, addDate, accountExpiryDate, accountBalance",
                 member_rows()))
    print(insert("CHECKOUT", "id, memberid, bookid, checkoutDate, returnDate, inDate", loan_rows))
    print(insert("RESERVATION", "id, memberid, bookid, addDate", reservations(out)))
    print(insert("BLACKLIST", "id, memberid, addDate, reason",
                 ["(%d, %d, NOW() - INTERVAL %d DAY, %s)" % (i, member, days, sql_text(reason))
                  for i, (member, (reason, days)) in enumerate(sorted(BLACKLISTED.items()), start=1)]))


main()
