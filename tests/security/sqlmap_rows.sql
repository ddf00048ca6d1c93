-- Fixed probe rows for the sqlmap attack: every column known, so a search by example posting all
-- of them finds its row, and an injected condition would change what the page shows.
REPLACE INTO BOOK VALUES (9901, 'Probe, Ann', 'Probe Title', '9789990000001', 823, 99.00, 9, '2020-01-01 00:00:00');
REPLACE INTO MEMBER VALUES (9901, 'probepass', 'Probe', 'Ann', '1 Probe Street', '021 000 0000', '2020-01-01 00:00:00', '2030-01-01', 10);
REPLACE INTO CHECKOUT VALUES (9901, 9901, 9901, '2020-01-01 00:00:00', '2030-01-01', '2020-02-01 00:00:00');
REPLACE INTO RESERVATION VALUES (9901, 9901, 9901, '2020-01-01 00:00:00');
REPLACE INTO BLACKLIST VALUES (9901, 9902, '2020-01-01 00:00:00', 'Probe reason');
