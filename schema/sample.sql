-- The sample log: a diver and a dozen dives entered by hand, laid over the
-- empty log of log.sql. Values are stored in imperial form (feet, degrees F,
-- psi, cubic feet, pounds).

INSERT INTO USERINFO (NAME, USERTYPE, ADDRESS1, ADDRESS2, CITY, STATE, ZIPCODE, COUNTRY,
    HOME, EMAIL, CONTACTNAME, CONTACTPHONE, PHYSICIAN, MEDPHONE, INSURANCE, POLICY,
    BLOODTYPE, ALLERGIES)
VALUES ('Sample Diver', 1, ' ', ' ', ' ', ' ', ' ', ' ',
    ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ');

INSERT INTO USERINFO (USERID, NAME, USERTYPE) VALUES
    (2, 'Alex Rivera', 4),
    (3, 'Sam Chen', 4),
    (4, 'Maria Lopez', 2),
    (5, 'Tom Baker', 3);

INSERT INTO LOCATIONS (LOCID, LOCATIONNAME) VALUES
    (1, 'Key Largo, Florida'),
    (2, 'Monterey, California'),
    (3, 'Cozumel, Mexico');

INSERT INTO DIVESITES (SITEID, DIVESITE) VALUES
    (1, 'Molasses Reef'),
    (2, 'Christ of the Abyss'),
    (3, 'Spiegel Grove'),
    (4, 'French Reef'),
    (5, 'Breakwater Cove'),
    (6, 'Lobos Rocks'),
    (7, 'Palancar Gardens'),
    (8, 'Paradise Reef'),
    (9, 'Santa Rosa Wall'),
    (10, 'Columbia Wall');

INSERT INTO OPERATORS (NAME) VALUES ('Reef Runner Divers'), ('Bay Dive Center'), ('Isla Azul Dive Shop');
INSERT INTO DIVEBOATS (NAME) VALUES ('Sea Breeze'), ('Manta');
INSERT INTO RESORTS (NAME) VALUES ('Coral Cove Resort');
INSERT INTO GPSS (NAME) VALUES ('N 25 00.8 W 80 22.5');

INSERT INTO DIVETYPEDATA (ID, TYPEDATA) VALUES
    (1, 'Boat'), (2, 'Shore'), (3, 'Reef'), (4, 'Wall'), (5, 'Wreck'), (6, 'Drift'), (7, 'Night');

INSERT INTO REGULATORS (NAME) VALUES ('Balanced piston regulator');
INSERT INTO ALTAIRSOURCE (NAME) VALUES ('Octopus');
INSERT INTO BCS (NAME) VALUES ('Jacket BC'), ('Back-inflate BC');
INSERT INTO GAUGES (NAME) VALUES ('Console with compass');
INSERT INTO SUITS (NAME) VALUES ('3mm full suit'), ('7mm semi-dry');
INSERT INTO BOOTS (NAME) VALUES ('3mm boots'), ('7mm boots');
INSERT INTO GLOVES (NAME) VALUES ('5mm gloves');
INSERT INTO HOODS (NAME) VALUES ('7mm hood');
INSERT INTO MASKS (NAME) VALUES ('Low-volume mask');
INSERT INTO SNORKELS (NAME) VALUES ('Flexible snorkel');
INSERT INTO FINS (NAME) VALUES ('Open-heel fins');
INSERT INTO CYLINDERS (NAME) VALUES ('Aluminum 80');

INSERT INTO GEARS (NAME, REGULATOR, AIRSOURCE, BC, GAUGES, SUIT, BOOTS, GLOVES, HOOD, MASK,
    SNORKEL, FINS, CYLINDER, BELTWEIGHT, INTWEIGHT, OTHERWEIGHT) VALUES
    ('Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
     '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
     'Open-heel fins', 'Aluminum 80', 8, 4, 0),
    ('Cold Water', 'Balanced piston regulator', 'Octopus', 'Back-inflate BC', 'Console with compass',
     '7mm semi-dry', '7mm boots', '5mm gloves', '7mm hood', 'Low-volume mask', 'Flexible snorkel',
     'Open-heel fins', 'Aluminum 80', 18, 8, 0);

INSERT INTO ACCESSORYDATA (ID, ACCESSORY) VALUES (1, 'DIVE LIGHT'), (2, 'SURFACE MARKER BUOY'), (3, 'CUTTER');
INSERT INTO ACCESSORY (ACCESSORYID, GEAR) VALUES
    (2, 'Warm Water'), (1, 'Cold Water'), (2, 'Cold Water'), (3, 'Cold Water');

-- Twelve dives entered by hand: model 0, serial 0, data type 0.
INSERT INTO DIVEDATA (DIVEID, LIFETIMEDIVENO, DIVENO, DIVEDATE, DIVETIME, STIME, BTIME,
    MDEPTH, AVGDEPTH, FO2, CYLINDERSIZE, SPSI, EPSI, TANK1ON, AIRCONSUMP,
    TEMP, MINIMUM, AIR, SURFACE, VISIBILITY, CURRENT, CURRENT_FT, SURGE, SURGE_FT,
    SWELL, SWELL_FT, SURF, SURF_FT, TIDE, TIDE_FT,
    OPERATOR, DIVEBOAT, RESORT, GPS, LOCID, SITEID, MEMO,
    DATATYPE, MODELID, MODELSERNO,
    GEAR, REGULATOR, AIRSOURCE, BC, GAUGES, SUIT, BOOTS, GLOVES, HOOD, MASK, SNORKEL, FINS,
    CYLINDER, BELTWEIGHT, INTWEIGHT, OTHERWEIGHT) VALUES
(1, 1, 1, '2024/03/09', '09:15', '00:00', 52, 45, 31, 0, 80, 3000, 1100, -1, 36,
    76, 76, 79, 77, 60, 2, 0.5, 1, 0, 2, 2, 1, 0, 3, 1,
    'Reef Runner Divers', 'Sea Breeze', 'Coral Cove Resort', 'N 25 00.8 W 80 22.5', 1, 1,
    'Check-out dive of the trip. Parrotfish and a big green moray under the ledge.',
    0, 0, 0,
    'Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
    '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 8, 4, 0),
(2, 2, 2, '2024/03/09', '11:40', '01:33', 61, 25, 18, 0, 80, 3000, 1300, -1, 28,
    77, 77, 80, 78, 50, 1, 0, 2, 1, 2, 2, 1, 0, 1, 2,
    'Reef Runner Divers', 'Sea Breeze', 'Coral Cove Resort', '', 1, 2,
    'Shallow and easy around the statue. Lots of sergeant majors.',
    0, 0, 0,
    'Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
    '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 8, 4, 0),
(3, 3, 3, '2024/03/10', '08:50', '20:09', 38, 98, 72, 32, 80, 3100, 900, -1, 48,
    74, 73, 78, 76, 70, 3, 1, 1, 0, 3, 3, 1, 0, 4, 1,
    'Reef Runner Divers', 'Sea Breeze', 'Coral Cove Resort', '', 1, 3,
    'Down the line to the wreck deck on nitrox 32. Goliath grouper by the crane.',
    0, 0, 0,
    'Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
    '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 8, 4, 0),
(4, 4, 4, '2024/03/10', '11:05', '01:37', 55, 35, 24, 0, 80, 3000, 1000, -1, 34,
    75, 75, 80, 77, 60, 2, 0.5, 1, 0, 2, 2, 1, 0, 5, 0,
    'Reef Runner Divers', 'Sea Breeze', 'Coral Cove Resort', '', 1, 4,
    'Swim-throughs and a nurse shark resting under a ledge.',
    0, 0, 0,
    'Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
    '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 8, 4, 0),
(5, 5, 5, '2024/06/15', '10:20', '00:00', 42, 40, 27, 0, 80, 3000, 1200, -1, 40,
    52, 52, 64, 56, 20, 1, 0, 2, 2, 2, 2, 2, 2, 3, 2,
    'Bay Dive Center', '', '', '', 2, 5,
    'Shore entry from the beach. Kelp, sea lions at the surface, a giant nudibranch.',
    0, 0, 0,
    'Cold Water', 'Balanced piston regulator', 'Octopus', 'Back-inflate BC', 'Console with compass',
    '7mm semi-dry', '7mm boots', '5mm gloves', '7mm hood', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 18, 8, 0),
(6, 6, 6, '2024/06/15', '13:45', '02:43', 47, 32, 22, 0, 80, 3000, 1300, -1, 37,
    53, 53, 66, 57, 25, 1, 0, 2, 2, 2, 2, 2, 2, 1, 3,
    'Bay Dive Center', '', '', '', 2, 5,
    'Along the breakwater to the sand. Octopus in a bottle.',
    0, 0, 0,
    'Cold Water', 'Balanced piston regulator', 'Octopus', 'Back-inflate BC', 'Console with compass',
    '7mm semi-dry', '7mm boots', '5mm gloves', '7mm hood', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 18, 8, 0),
(7, 7, 7, '2024/06/16', '09:30', '18:58', 39, 55, 38, 0, 80, 3000, 900, -1, 52,
    50, 49, 62, 55, 30, 2, 0.5, 3, 2, 3, 4, 1, 0, 2, 1,
    'Bay Dive Center', 'Manta', '', '', 2, 6,
    'Boat dive in the kelp forest. Cold at depth, but clear.',
    0, 0, 0,
    'Cold Water', 'Balanced piston regulator', 'Octopus', 'Back-inflate BC', 'Console with compass',
    '7mm semi-dry', '7mm boots', '5mm gloves', '7mm hood', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 18, 8, 0),
(8, 8, 8, '2024/11/02', '09:00', '00:00', 48, 68, 45, 0, 80, 3000, 1000, -1, 42,
    82, 82, 84, 83, 100, 3, 1.5, 1, 0, 1, 0, 1, 0, 3, 1,
    'Isla Azul Dive Shop', 'Manta', '', '', 3, 7,
    'Drift along the coral towers. Turtle and a school of horse-eye jacks.',
    0, 0, 0,
    'Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
    '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 6, 4, 0),
(9, 9, 9, '2024/11/02', '11:30', '01:42', 58, 40, 28, 0, 80, 3000, 1200, -1, 31,
    82, 82, 85, 83, 90, 2, 0.5, 1, 0, 1, 0, 1, 0, 4, 1,
    'Isla Azul Dive Shop', 'Manta', '', '', 3, 8,
    'Easy reef with splendid toadfish and spotted drums.',
    0, 0, 0,
    'Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
    '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 6, 4, 0),
(10, 10, 10, '2024/11/03', '08:45', '20:17', 41, 92, 63, 32, 80, 3100, 1000, -1, 51,
    81, 80, 84, 82, 120, 4, 2, 1, 0, 1, 0, 1, 0, 2, 1,
    'Isla Azul Dive Shop', 'Manta', '', '', 3, 9,
    'Wall drift on nitrox 32. Caverns and overhangs, eagle ray off the wall.',
    0, 0, 0,
    'Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
    '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 6, 4, 0),
(11, 11, 11, '2024/11/03', '11:15', '01:49', 46, 75, 50, 32, 80, 3000, 1100, -1, 41,
    81, 81, 85, 82, 110, 3, 1.5, 1, 0, 1, 0, 1, 0, 3, 1,
    'Isla Azul Dive Shop', 'Manta', '', '', 3, 10,
    'Huge pinnacles. Stayed shallow at the end with the turtles.',
    0, 0, 0,
    'Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
    '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 6, 4, 0),
(12, 12, 12, '2024/11/03', '19:30', '07:29', 50, 38, 26, 0, 80, 3000, 1300, -1, 30,
    80, 80, 79, 81, 60, 1, 0, 1, 0, 1, 0, 1, 0, 5, 0,
    'Isla Azul Dive Shop', 'Manta', '', '', 3, 8,
    'Night dive: an octopus hunting in the open and a sleeping parrotfish.',
    0, 0, 0,
    'Warm Water', 'Balanced piston regulator', 'Octopus', 'Jacket BC', 'Console with compass',
    '3mm full suit', '3mm boots', 'NONE', 'NONE', 'Low-volume mask', 'Flexible snorkel',
    'Open-heel fins', 'Aluminum 80', 6, 4, 0);

-- A dive entered by hand keeps a settings row with only DIVEID set.
INSERT INTO DIVE_DC_SETTINGS (DIVEID) SELECT DIVEID FROM DIVEDATA ORDER BY DIVEID;

INSERT INTO BUDDIES (DIVEID, BUDDYID) VALUES
    (1, 2), (2, 2), (3, 2), (4, 2), (5, 3), (6, 3), (7, 3),
    (8, 2), (9, 2), (10, 2), (10, 3), (11, 2), (11, 3), (12, 2);
INSERT INTO CAPTAIN (DIVEID, CAPID) VALUES (8, 4), (9, 4), (10, 4), (11, 4), (12, 4);
INSERT INTO CREWS (DIVEID, CREWID) VALUES (8, 5), (9, 5), (10, 5), (11, 5), (12, 5);

INSERT INTO DIVETYPES (DIVEID, TYPEID) VALUES
    (1, 1), (1, 3), (2, 1), (2, 3), (3, 1), (3, 5), (4, 1), (4, 3),
    (5, 2), (6, 2), (7, 1), (7, 3),
    (8, 1), (8, 3), (8, 6), (9, 1), (9, 3), (10, 1), (10, 4), (10, 6),
    (11, 1), (11, 4), (11, 6), (12, 1), (12, 3), (12, 7);

-- One dive downloaded from the served model (unit 20511): a 58-minute multi-level
-- dive sampled every 15 seconds, with a fast ascent off the bottom (ascent band 5,
-- the ascent-rate alarm) and the maximum-depth alarm while deeper than 90 ft.
INSERT INTO DIVEDATA (DIVEID, LIFETIMEDIVENO, DIVENO, DIVEDATE, DIVETIME, STIME, BTIME,
    MDEPTH, AVGDEPTH, FO2, CYLINDERSIZE, SPSI, EPSI, TANK1ON, AIRCONSUMP,
    TEMP, MINIMUM, AIR, SURFACE, VISIBILITY, LOCID, SITEID, MEMO,
    DATATYPE, MODELID, MODELSERNO, SNAPSHOT) VALUES
(13, 13, 13, '2024/12/28', '10:05', '02:10', 58, 92, 48, 21, 80, 3100, 800, -1, 35,
    76, 76, 82, 78, 90, 3, 7,
    'Downloaded from the dive computer. Too quick off the bottom on the first ascent.',
    1, 6774, 20511, 1);

INSERT INTO DIVE_DC_SETTINGS (DIVEID, MAXDEPTH, EDT, HOUR, UNITS, ALTTIME, DIVESAMPLE)
VALUES (13, 90, 0, 0, 0, 0, 1);

WITH RECURSIVE s(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM s WHERE k < 232),
shape(k, depth, vari) AS (
    SELECT k,
        CASE
            WHEN k <= 12 THEN (92 * k) / 12                              -- descent
            WHEN k <= 60 THEN 88 + (k % 5) - (k % 3)                      -- the bottom
            WHEN k <= 66 THEN 90 - (k - 60) * 7                           -- fast ascent
            WHEN k <= 150 THEN 48 + ((k / 6) % 4) * 2 - (k % 3)           -- along the reef
            WHEN k <= 200 THEN 48 - ((k - 150) * 33) / 50                 -- slow ascent
            WHEN k <= 220 THEN 15                                         -- safety stop
            ELSE 15 - ((k - 220) * 15) / 12                               -- to the surface
        END,
        CASE
            WHEN k > 60 AND k <= 66 THEN 5
            WHEN k > 150 AND k <= 200 THEN 1
            WHEN k > 220 THEN 2
            ELSE 0
        END
    FROM s)
INSERT INTO DIVEDETAILS (DIVEID, ORDNO, RECORDTYPE, DEPTH, TDEPTH, BTIME, VARI, TEMP, PO2, ALARM)
SELECT 13, k, 0, depth, 0, 15 * k, vari, 78 - depth / 25, round(21 * (depth / 33.0 + 1)),
    (CASE WHEN depth > 90 THEN 2 ELSE 0 END) | (CASE WHEN vari = 5 THEN 16 ELSE 0 END)
FROM shape;
