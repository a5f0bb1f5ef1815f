# syntax=docker/dockerfile:1
# Builds the service in one stage and runs it from a small image.
ARG GO_VERSION=1.21
FROM golang:${GO_VERSION}-bookworm AS build

WORKDIR /src
ENV CGO_ENABLED=0 \
    GOFLAGS="-trimpath -mod=readonly"

# Modules first, so the layer is cached while only the code changes.
COPY go.mod go.sum ./
RUN --mount=type=cache,target=/root/go/pkg/mod go mod download

COPY . .
RUN go build -ldflags="-s -w -X main.version=${VERSION:-dev}" -o /out/server ./cmd/server \
    && go test ./... \
    && echo 'built' > /out/BUILD_INFO

FROM debian:bookworm-slim AS runtime
LABEL org.opencontainers.image.title="server" \
      org.opencontainers.image.licenses="MIT"
RUN apt-get update \
    && apt-get install -y --no-install-recommends ca-certificates tzdata \
    && rm -rf /var/lib/apt/lists/* \
    && useradd --system --uid 10001 --home /nonexistent app

COPY --from=build /out/server /usr/local/bin/server
COPY --chown=app:app config/ /etc/server/
USER app
EXPOSE 8080/tcp
VOLUME ["/var/lib/server"]
HEALTHCHECK --interval=30s --timeout=3s CMD ["/usr/local/bin/server", "-check"]
STOPSIGNAL SIGTERM
ENTRYPOINT ["/usr/local/bin/server"]
CMD ["--listen", ":8080", "--config", "/etc/server/config.yaml"]
ONBUILD RUN echo "derived image"
SHELL ["/bin/bash", "-o", "pipefail", "-c"]
