SELECT 1;
-- Windows line ends
SELECT  2 ;

