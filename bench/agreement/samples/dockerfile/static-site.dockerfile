# Builds a static site with Node and serves it with nginx.
FROM node:20-bookworm-slim AS build
WORKDIR /site
# Lock files first, so that a change to the pages alone reuses the npm layer.
COPY package.json package-lock.json ./
RUN npm ci --no-audit --no-fund
COPY . .
ARG BASE_URL=/
ENV NODE_ENV=production
RUN npm run build -- --base "${BASE_URL}" \
 && find dist -type f \( -name '*.html' -o -name '*.css' -o -name '*.js' -o -name '*.svg' \) \
      -exec gzip -9 --keep {} +

FROM nginx:1.25-alpine
# Drop the default site and use ours, with long caching for hashed assets.
RUN rm /etc/nginx/conf.d/default.conf
COPY <<'NGINX' /etc/nginx/conf.d/site.conf
server {
    listen 8080;
    root /usr/share/nginx/html;
    gzip_static on;
    location /assets/ {
        add_header Cache-Control "public, max-age=31536000, immutable";
    }
    location / {
        try_files $uri $uri/ /index.html;
    }
}
NGINX
COPY --from=build --chown=nginx:nginx /site/dist /usr/share/nginx/html
RUN touch /var/run/nginx.pid && chown nginx:nginx /var/run/nginx.pid /var/cache/nginx -R
USER nginx
EXPOSE 8080
STOPSIGNAL SIGQUIT
CMD ["nginx", "-g", "daemon off;"]
