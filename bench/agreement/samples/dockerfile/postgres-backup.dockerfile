# A scheduled PostgreSQL backup job: pg_dump into compressed, dated files,
# old ones pruned, the result reported to a health-check URL.
# Connection settings come from the standard PG* variables (PGHOST, PGUSER, ...).
FROM debian:bookworm-slim

ARG PG_MAJOR=15
ENV PG_MAJOR=${PG_MAJOR} \
    BACKUP_DIR=/backups \
    KEEP_DAYS=14 \
    SCHEDULE="15 3 * * *" \
    TZ=Etc/UTC

# The PostgreSQL client of the same major version as the server, from its own repository.
RUN apt-get update \
 && apt-get install -y --no-install-recommends ca-certificates curl gnupg cron zstd tzdata \
 && install -d /usr/share/postgresql-common/pgdg \
 && curl -fsSL https://www.postgresql.org/media/keys/ACCC4CF8.asc \
      | gpg --dearmor -o /usr/share/postgresql-common/pgdg/apt.postgresql.org.gpg \
 && echo "deb [signed-by=/usr/share/postgresql-common/pgdg/apt.postgresql.org.gpg] http://apt.postgresql.org/pub/repos/apt bookworm-pgdg main" \
      > /etc/apt/sources.list.d/pgdg.list \
 && apt-get update \
 && apt-get install -y --no-install-recommends "postgresql-client-${PG_MAJOR}" \
 && apt-get purge -y --auto-remove gnupg \
 && rm -rf /var/lib/apt/lists/*

COPY <<'EOF_BACKUP' /usr/local/bin/backup
#!/bin/sh
set -eu
stamp=$(date +%Y-%m-%dT%H%M)
target="$BACKUP_DIR/${PGDATABASE:-postgres}-$stamp.sql.zst"
if pg_dump --no-owner --format=plain | zstd -q -T0 -19 -o "$target"; then
    find "$BACKUP_DIR" -name '*.sql.zst' -mtime +"$KEEP_DAYS" -delete
    [ -n "${PING_URL:-}" ] && curl -fsS -m 10 --retry 3 "$PING_URL" >/dev/null
    echo "backup written: $target ($(du -h "$target" | cut -f1))"
else
    rm -f "$target"
    [ -n "${PING_URL:-}" ] && curl -fsS -m 10 "$PING_URL/fail" >/dev/null
    exit 1
fi
EOF_BACKUP

COPY <<'EOF_ENTRY' /usr/local/bin/entrypoint
#!/bin/sh
set -eu
mkdir -p "$BACKUP_DIR"
# cron starts jobs with an empty environment: hand it the connection settings.
env | grep -E '^(PG|BACKUP_DIR|KEEP_DAYS|PING_URL|TZ)=' > /etc/environment
echo "$SCHEDULE root . /etc/environment; /usr/local/bin/backup >> /proc/1/fd/1 2>&1" > /etc/cron.d/backup
[ "${RUN_ON_START:-0}" = "1" ] && /usr/local/bin/backup
exec cron -f
EOF_ENTRY

RUN chmod 0755 /usr/local/bin/backup /usr/local/bin/entrypoint
VOLUME ["/backups"]
HEALTHCHECK --interval=1h --timeout=5s CMD find "$BACKUP_DIR" -name '*.sql.zst' -mmin -1500 | grep -q .
ENTRYPOINT ["/usr/local/bin/entrypoint"]
