function [clean, isSpike] = despike(signal, window, threshold)
%DESPIKE  Replaces outliers by the median of their neighbourhood.
%   clean = despike(signal) uses a 7-sample window and flags samples more
%   than 3 scaled median absolute deviations from the local median.
%   [clean, isSpike] = despike(signal, window, threshold) also returns a
%   logical vector marking the replaced samples.

if nargin < 2 || isempty(window), window = 7; end
if nargin < 3 || isempty(threshold), threshold = 3; end
if mod(window, 2) == 0
    window = window + 1;   % an odd window keeps the median centred
end

x = signal(:);
n = numel(x);
half = (window - 1) / 2;
localMedian = zeros(n, 1);
localMad = zeros(n, 1);
for k = 1:n
    lo = max(1, k - half);
    hi = min(n, k + half);
    part = x(lo:hi);
    part = part(~isnan(part));
    if isempty(part)
        localMedian(k) = NaN;
        localMad(k) = NaN;
        continue
    end
    localMedian(k) = median(part);
    localMad(k) = 1.4826 * median(abs(part - localMedian(k)));
end

isSpike = abs(x - localMedian) > threshold * max(localMad, eps) | isnan(x);
clean = x;
clean(isSpike) = localMedian(isSpike);
clean = reshape(clean, size(signal));
isSpike = reshape(isSpike, size(signal));

if nargout == 0
    t = 1:n;
    plot(t, x, 'Color', [0.7 0.7 0.7]); hold on;
    plot(t, clean, 'b', 'LineWidth', 1.2);
    plot(t(isSpike), x(isSpike), 'rx');
    hold off;
    legend('raw', 'despiked', 'spikes');
    clear clean isSpike
end
end
