CREATE TABLE stitabel (sti TEXT);
INSERT INTO stitabel (sti) VALUES ('');
