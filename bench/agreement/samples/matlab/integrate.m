function [t, y] = integrate(f, tspan, y0, h)
%INTEGRATE  Fixed-step fourth-order Runge-Kutta for y' = f(t, y).
%   [t, y] = integrate(f, [t0 t1], y0, h) returns the times in t and one
%   row of y per time. y0 may be a column vector for a system.
%
%   Example:
%       [t, y] = integrate(@(t, y) -2 * y, [0 1], 1, 0.01);
%       plot(t, y, t, exp(-2 * t), '--');

if nargin < 4
    h = (tspan(2) - tspan(1)) / 100;
end
if h <= 0 || tspan(2) <= tspan(1)
    error('integrate:span', 'need t1 > t0 and a positive step, got h = %g', h);
end

steps = ceil((tspan(2) - tspan(1)) / h);
t = linspace(tspan(1), tspan(1) + steps * h, steps + 1)';
y = zeros(steps + 1, numel(y0));
y(1, :) = y0(:)';

for k = 1:steps
    yk = y(k, :)';
    k1 = f(t(k), yk);
    k2 = f(t(k) + h / 2, yk + h / 2 * k1);
    k3 = f(t(k) + h / 2, yk + h / 2 * k2);
    k4 = f(t(k) + h, yk + h * k3);
    y(k + 1, :) = (yk + h / 6 * (k1 + 2 * k2 + 2 * k3 + k4))';
    if any(~isfinite(y(k + 1, :)))
        warning('integrate:blowup', 'solution not finite at t = %.4f', t(k + 1));
        t = t(1:k + 1);
        y = y(1:k + 1, :);
        return
    end
end
end
