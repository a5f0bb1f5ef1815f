function result = stats(values, varargin)
%STATS  Summary statistics of a vector, with options.
%   result = stats(values) returns a struct with mean, median and std.
%   result = stats(values, 'trim', p) trims p percent at each end first.

p = inputParser;
addRequired(p, 'values', @isnumeric);
addParameter(p, 'trim', 0, @(x) isscalar(x) && x >= 0 && x < 50);
parse(p, values, varargin{:});
trim = p.Results.trim;

values = sort(values(~isnan(values)));
n = numel(values);
if n == 0
    result = struct('mean', NaN, 'median', NaN, 'std', NaN, 'n', 0);
    return
end
cut = floor(n * trim / 100);
kept = values(cut + 1:n - cut);

result.mean = mean(kept);
result.median = median(kept);
result.std = std(kept);
result.n = numel(kept);
result.range = [min(kept), max(kept)];

if nargout == 0
    fprintf('n = %d, mean = %.3f, median = %.3f, std = %.3f\n', ...
        result.n, result.mean, result.median, result.std);
    clear result
end
end

function out = moving_average(x, window)
% Moving average with a window that shrinks at the ends.
out = zeros(size(x));
half = floor(window / 2);
for k = 1:length(x)
    lo = max(1, k - half);
    hi = min(length(x), k + half);
    out(k) = sum(x(lo:hi)) / (hi - lo + 1);
end
end

function demo
x = [3 1 4 1 5 9 2 6 5 3 5];
s = stats(x, 'trim', 10);
disp(s);
y = moving_average(x, 3);
plot(1:numel(x), x, 'o-', 1:numel(y), y, 'r--');
title("moving average");
legend({'data', 'average'}, 'Location', 'northwest');
A = magic(4);
B = A(2:end, [1 3]) .* 2.5e-1;
if any(B(:) > 3) && ~isempty(B)
    disp(num2str(B));
end
end
