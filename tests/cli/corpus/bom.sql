SELECT '带 BOM' FROM dual;
