-- Monthly sales per region, largest first.
/* Regions without sales are left out;
   amounts are in cents. */
SELECT r.name AS region,
       COUNT(*) AS orders,
       SUM(o.amount) / 100.0 AS total
FROM orders o
INNER JOIN regions r ON r.id = o.region_id
WHERE o.created >= '2024-01-01' AND o.status <> 'cancelled'
GROUP BY r.name
HAVING sum(o.amount) > 0
ORDER BY total DESC;

insert into notes (id, text) values (1, 'it''s "quoted" <ok> & done');
